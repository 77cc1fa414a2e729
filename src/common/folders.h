// The run's folders as full paths, found once by start-up, so that every later change of folder
// goes to a named place and comes back to where it left, whatever is missing on disk.
#pragma once

#include <functional>
#include <string>

// Files/ (Setup.ini, Debug.txt, screenshots); the run folder itself when Files/ is missing.
// Set by start-up. Before that (tools and tests that start inside the game folder) the files
// folder is the game folder's parent.
inline std::string FilesFolder;

// The files folder ("" for itself) or a path below it ("Common", "../Plonko_Levels").
std::string FilesPath(const std::string& below);

// Runs work with `path` current, then makes the folder it was called from current again. Returns
// false, without running work, when `path` cannot be entered.
bool InFolder(const std::string& path, const std::function<void()>& work);
