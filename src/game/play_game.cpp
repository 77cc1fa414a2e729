// The game flow. Until the levels arrive a game ends as soon as it starts.
#include "game/play_game.h"

void PlayGame() {}
