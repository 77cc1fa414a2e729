// The diagnostic log Files/Debug.txt: one line per call, sub-steps indented with a tab.
#pragma once

#include <string>

// Writes text as one line of the log; lost silently when the log could not be created.
void LogLine(const std::string& text);
