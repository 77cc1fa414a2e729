// The engine's tests start games from the title but test only the title and what surrounds a
// game: there a game returns at once. This definition is linked ahead of the core library, so
// the real PlayGame (game/play_game.cpp) is not pulled in; the game flow has its own tests.
#include "game/play_game.h"

void PlayGame() {}
