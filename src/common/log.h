// The diagnostic log Files/Debug.txt: one line per call, sub-steps indented with a tab.
#pragma once

#include <string>

// Opened by start-up, closed by the closing sequence.
inline int LogStream = 0;  // Files/Debug.txt, 0 when it could not be created

// Writes text as one line of the log; lost silently when the log could not be created.
void LogLine(const std::string& text);
