// What the frame layer starts but the engine above it owns. Start-up installs them; until then
// (tools, and tests of the lower floors alone) a close request just ends the process, Tab saves
// nothing and the settings menu's "Apply" only closes the panel.
#pragma once

inline void (*CloseHook)() = nullptr;      // the closing sequence; never returns
inline bool (*SaveSetupHook)() = nullptr;  // writes Setup.ini; false when it could not
inline void (*ApplyDisplayHook)() = nullptr;  // reopens the display from Settings, reloads, reruns the engine test
