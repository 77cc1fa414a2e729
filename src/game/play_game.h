// One game, from the first level to "Game Over" and name entry; returns to the title.
#pragma once

void PlayGame();
