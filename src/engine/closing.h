// The only way the program ends: save the settings and scores, write the last log lines, show
// the thank-you window until any input, exit with code 0.
#pragma once

[[noreturn]] void ClosingSequence();

// The thank-you screen's wait: true once a key or bound joystick input, mouse button 1 or 2,
// Alt+F4 or a window-close request is seen.
bool ClosingInputSeen();
