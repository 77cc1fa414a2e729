// The pause menu that Escape opens during a game. Returns 1 (continue) or 99 (quit the game).
#pragma once

int PauseMenu();
