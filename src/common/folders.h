// The run's folders as full paths, found once by start-up, so that every later change of folder
// goes to a named place and comes back to where it left, whatever is missing on disk.
#pragma once

#include <functional>
#include <string>

// Files/ (Setup.ini, Debug.txt, screenshots); the run folder itself when Files/ is missing.
// Set by start-up. Before that (tools and tests that start inside the game folder) the files
// folder is the game folder's parent.
inline std::string FilesFolder;

// The player's files folder, for an installed copy or one the player cannot write into: what the
// game writes goes there, laid out as under Files/ (Setup.ini, Debug.txt and screenshots in it,
// scores.dat and crash.dat in its game folder). "" while the game writes beside its data.
inline std::string PlayerFolder;

// Set for a watched replay: Setup.ini and scores.dat stay as they were, so their saves write
// nothing (and count as done).
inline bool PlayerFilesKept = false;

// The files folder ("" for itself) or a path below it ("Common", "../Plonko_Levels").
std::string FilesPath(const std::string& below);

// Where a file the game writes into the files folder goes ("" for the folder itself): the
// player's folder when there is one, else the files folder.
std::string PlayerPath(const std::string& below);

// Where a file the game writes into its game folder (scores.dat, crash.dat) goes: the player's game
// folder when there is one, else the name itself, in the game folder that is current.
std::string GameFilePath(const std::string& name);

// Runs work with `path` current, then makes the folder it was called from current again. Returns
// false, without running work, when `path` cannot be entered.
bool InFolder(const std::string& path, const std::function<void()>& work);

// The folder that holds the shipped data (Files/, Plonko_Levels/) of a program in `appDir`: appDir
// itself when Files/ lies beside the program (a build's run folder or a copy of it), else an
// installed tree's <prefix>/share/plonko-elongo beside its <prefix>/bin/ when that exists, else
// appDir.
std::string DataFolder(const std::string& appDir);

// $XDG_DATA_HOME/plonko-elongo, or <home>/.local/share/plonko-elongo when XDG_DATA_HOME is unset,
// empty or not a full path; "" when no home folder is known either.
std::string PlayerDataHome(const char* xdgDataHome, const std::string& home);

// The player's files folder for data in `dataFolder` with its files folder `filesFolder` (full
// paths): "" when the game can write beside its data as it always has (a build's run folder),
// else <playerHome>/Files. An installed tree is never written into, even by a user who could.
std::string ChoosePlayerFolder(const std::string& dataFolder, const std::string& filesFolder, const std::string& playerHome);
