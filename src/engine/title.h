// The title screen: the loop the player sees between games.
#pragma once

// One title frame, drawn and ended with EndFrame. Returns true when Escape asks to leave.
bool TitleFrame();
// Title frames until Escape, then the closing sequence; never returns.
[[noreturn]] void TitleLoop();
// Starts a game from the title and resets the title's state when it returns. movePointer: the
// pointer goes to the bottom-right corner first (a start by the controls).
void StartGame(bool movePointer);
