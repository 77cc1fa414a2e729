// Game files that could not be loaded (missing, damaged or too large): the game goes on without
// them, and says which: each in the log once per run, the first of them on screen.
#pragma once

#include <string>

// Names `path` (as a loader was given it, relative to the current folder) in the log, and on
// screen when it is the first of the run. Installed as the media layer's load-failure hook.
void ReportAsset(const std::string& path);
// The on-screen text for a file that could not be loaded.
std::string AssetFailedText(const std::string& name, bool missing);
// The log line for it.
std::string AssetFailedLog(const std::string& name, bool missing);
// Forgets what was reported (start of a run; tests).
void ResetAssetReports();
