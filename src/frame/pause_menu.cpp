// The pause menu. Until its screen exists, pausing simply continues the game.
#include "frame/pause_menu.h"

int PauseMenu() { return 1; }
