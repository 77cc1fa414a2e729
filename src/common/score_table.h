// The score table: one Scores record per finished game, kept newest first in ScoreList and stored
// in "scores.dat" in the game folder (two lines per record: the record line, then the Best line).
#pragma once

#include <cstdint>
#include <string>

#include "media/list.h"

struct Scores {
  int64_t Score = 0;
  int64_t Timestamp = 0;  // packed date and time (common/timestamp.h)
  int Badges = 0;         // badge bits earned
  std::string Name;
  int Best[31] = {};      // per-level results, used from 1 to 30
  int Level = 0;
  int GameMode = 0;       // 0 "Soft", 1 "Hard"
  int GameFlags = 0;
  int Quit = 0;           // 1 when the game ended by quitting
  bool fromFile = false;  // read from scores.dat; false for records filed during this run

  // The sign of other.Timestamp - Timestamp: sorting ascending puts the newest first.
  int Compare(const Scores& other) const;
};

// Created empty at start-up; LoadScores rereads it at every display set-up. Sorted by Compare.
inline List<Scores> ScoreList;
// The name typed at name entry; LoadScores takes it from the file's newest record.
inline std::string PlayerName = "Player";
// Typing a name stops at MAX_NAME_CHARS (longer ones would run off the name entry screen; the
// score panel shows 24 characters). A name read from scores.dat is cut only at
// MAX_READ_NAME_CHARS, so that the longer names of older or hand-edited files survive a save, while
// no file can make a name without bound.
inline constexpr size_t MAX_NAME_CHARS = 32;
inline constexpr size_t MAX_READ_NAME_CHARS = 64;
// The game chosen on the title: copied into each record, and the history panel picks records by
// them. Reset at start-up.
inline int GameMode = 0;   // difficulty: 0 "Soft" levels, 1 "Hard"
inline int Level = 0;      // nothing sets it
inline int GameFlags = 0;  // nothing sets it

// A damaged scores.dat (a line that is no record, a cut record, or a file too large to be one) is
// never written over: LoadScores keeps what it could read and renames the file aside, naming the
// copy in ScoresSetAside until the engine has told the player (it clears it). When the file cannot
// be read or renamed, ScoresLocked stops every save of the list for the rest of the run.
inline std::string ScoresSetAside;
inline bool ScoresLocked = false;
// Larger than any list the game keeps (a record takes about 150 bytes): not read at all.
inline constexpr int64_t MAX_SCORES_BYTES = int64_t{4} << 20;

// Reads "scores.dat" from the current folder (the game folder), or the player's game folder
// when there is one (GameFilePath). Records filed during this run and
// not yet saved are kept across the reload; without such records PlayerName becomes the name of
// the file's first record. A missing file leaves the list as it is.
void LoadScores();
// Puts ScoresSetAside and ScoresLocked back to their start-of-run values.
void ResetScoreFileState();
// An empty list, the default name, the first game chosen, and the file state above.
void ResetScoreTable();
// Writes ScoreList (sorted) to "scores.dat" where LoadScores reads it, replacing the old file
// atomically. Returns false when the file could not be written, or is locked (above).
bool SaveScores();
// Sorts ScoreList newest first.
void SortScores();

// The two file lines of a record. A "|" in the name, the "%" escape itself, control codes and
// blanks at either end are written as "%" and two hex digits ("%7C", "%25", "%0A", "%20"), so
// every name survives a save and a load. Names read from the file are cut at MAX_READ_NAME_CHARS.
std::string ScoreRecordLine(const Scores& s);
std::string ScoreBestLine(const Scores& s);
std::string EncodeScoreName(const std::string& name);
std::string DecodeScoreName(const std::string& text);
