// What a level source says of each level besides its board: the title of its "level" line, its
// par, and the lines of its instruction box:
//   level 3: the Hard Hat bangs through a wall
//   par hats=1 actions=1
//   hint Give the Hard Hat
//   hint to the Plonko ...
// The sources are shipped beside the level images (Plonko_Levels/<Soft|Hard>.txt), so the game
// reads the same words the level designer wrote. A missing or damaged source gives empty notes:
// every level still plays, with no title, par or hint.
#pragma once

#include <string>
#include <vector>

#include "game/level_par.h"

constexpr int MAX_HINT_LINES = 8;    // lines kept per level; more are dropped
constexpr int MAX_NOTE_CHARS = 120;  // characters kept per title or hint line

struct LevelNote {
  std::string title;               // after "level <n>:" (or after "level"), trimmed
  LevelPar par;                    // par.set false when the level has none
  std::vector<std::string> hint;   // the instruction box, one entry a line, in order
};

// Reads the notes of every level of a source, by level from 0. Lines it does not know (the board,
// hats, comments) are skipped; a malformed par reads as none. False when the file cannot be read.
bool ReadLevelNotes(const std::string& path, std::vector<LevelNote>& out);

// Reads Plonko_Levels/<name>.txt beside Files/ into the current notes (empty when it cannot).
void LoadLevelNotes(const std::string& name);

// The current notes of level n (from 1); an empty note for a level they do not reach.
const LevelNote& NoteOf(int level);
