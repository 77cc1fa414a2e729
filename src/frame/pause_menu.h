// The pause menu that Escape opens during a game: "Continue" and "Quit" over a wobbling, slowly
// turning copy of the frozen frame.
#pragma once

// Runs its own frame loop (EndFrame with PauseState 2, so it does not reopen itself) and returns
// PAUSE_CONTINUE or PAUSE_QUIT (quit the game). Up, down and choose act on their press only: one held when
// the menu opens, or still held from the last move, must be let go first. Escape chooses the
// highlighted item. The random generator is reseeded from the clock on the way out, because the
// decoration reseeds it with a fixed value every frame.
int PauseMenu();
// The menu's choices, as PauseMenu returns them and EndFrame passes them on.
constexpr int PAUSE_CONTINUE = 1;
constexpr int PAUSE_QUIT = 99;

// The seed the decoration is drawn from in every frame, so that it stands still.
constexpr int PAUSE_DECORATION_SEED = 37171650;
