// Failed saves of the two files the player owns. Their writers replace a file atomically, so a
// failed save keeps the old file whole; this says so: every failure in the log with its reason,
// and once per file and run on screen, and the game goes on.
#pragma once

#include <string>
#include <vector>

// Logs and shows a failed save of `file` ("Setup.ini", "scores.dat"); nothing when `saved`.
void ReportSave(const std::string& file, bool saved);
// The on-screen text of a failed save of `file`.
std::string SaveFailedText(const std::string& file);
// Files whose latest save failed, in name order (the closing screen names them).
std::vector<std::string> FailingSaves();
// SaveScores (the game folder current), reported.
bool SaveScoreFile();
// Tells the player, once, of a damaged scores.dat that the last LoadScores set aside or locked.
void ReportScoreFile();
// Forgets which failures were shown (start of a run; tests).
void ResetSaveReports();
