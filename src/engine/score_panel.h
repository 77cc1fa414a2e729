// The score history panel at the right edge of the title screen: a graph of the scores of the
// recent games, the table of the best scores, and the details of one chosen game.
#pragma once

#include <cstdint>
#include <string>

struct Scores;

inline constexpr int TOP_SCORES = 25;   // entries of the best table
inline constexpr int ROWS_SHOWN = 16;   // rows of it that the panel lists
inline constexpr int KEEP_RECENT = 50;  // newest records of a kind that the prune never touches

// The best table of the records shown, highest Score first, ties newest first; used from 1.
// Rebuilt by every ShowResults; the references are good until ScoreList next changes.
inline Scores* TopScores[TOP_SCORES + 1] = {};

// slide is 10 x SlideStep; mode, level and flags select the records shown. Draws, and prunes
// ScoreList: every shown kind of record past the 50th newest that is not among the 25 best goes.
void ShowResults(int slide, int mode, int level, int flags);

// A Score in its column: twelve digits with leading zeros. A score that does not fit (more digits,
// or below zero, only from a damaged file) is written as it is rather than cut.
std::string ScoreColumnText(int64_t score);
// The longest start of text, at most maxChars characters, whose width in the current font is at
// most maxWidth.
std::string ClipText(const std::string& text, int maxChars, int maxWidth);
