// The settings panel that Tab slides down over every screen. EndFrame calls SettingsMenu once per
// frame: it samples the click counts and slides MenuY towards open (MenuOpen 1) or closed.
#pragma once

void SettingsMenu();
