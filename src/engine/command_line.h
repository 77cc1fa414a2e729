// The two options every Debian program answers, --help and --version, and --replay FILE
// (engine/replay.h). Anything else on the command line is ignored, as it always was.
#pragma once

#include <string>

// The text that --help prints.
std::string HelpText();
// The text that --version prints.
std::string VersionText();

// Prints the answer to --help (-h) or --version (-v) on standard output and gives the code the
// process ends with (0, or 1 when the answer could not be written); gives -1 when neither was asked
// for and the game should start.
int AnswerCommandLine(int argc, const char* const* argv);

// True when --replay is given; `file` is the word after it ("" when there is none).
bool ReplayOption(int argc, const char* const* argv, std::string& file);
