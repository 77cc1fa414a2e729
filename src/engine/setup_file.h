// Setup.ini: the settings and control bindings, read once at start-up and written whenever the
// settings may have changed. The reader is a keyword scan of "key = value" lines; the writer adds
// section headers and comment lines that the reader skips.
#pragma once

#include <string>
#include <vector>

// Handles one line of the file (keys case-insensitive; see the table in setup_file.cpp).
void ReadSetupLine(const std::string& line);
// Start-up step, Files/ current: reads "Setup.ini" when it exists, chooses and selects the audio
// driver, logs its lines ending with "\tSetup Loaded" and an empty line.
void ReadSetup();
// The lines WriteSetup writes, in order.
std::vector<std::string> SetupLines();
// Writes "Setup.ini" into the files folder atomically; the current folder is the same afterwards.
// Returns false when the file could not be written.
bool WriteSetup();
