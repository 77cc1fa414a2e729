// The badges a game can earn: one cell of badges.png each, bit n - 1 of the record's Badges for
// badge n (BitSet(Badges, n) reads it). The rules are a table over what the game has seen so far,
// asked after every save and every won level.
#pragma once

constexpr int BADGE_COUNT = 16;

// What a game has seen so far. `level` is 0 when the facts follow a save; on a won level it is
// that level's number and the level fields describe its winning attempt.
struct BadgeFacts {
  int mode = 0;        // 0 "Soft", 1 "Hard"
  int score = 0;       // the game's score
  int saved = 0;       // Plonkos saved in the game
  int levelsWon = 0;   // levels won in the game (the skip chord wins none)
  int parWins = 0;     // of them, won at par
  int cleanRun = 0;    // levels won in a row, no restart or lost level between
  int level = 0;       // the level just won, 0 none
  int lastLevel = 0;   // levels the difficulty's image holds
  int tries = 1;       // attempts at this level in a row, 1 the first
  int hatsHanded = 0;  // hats in the panel when the attempt began
  int hatsGiven = 0;   // hats given to a walker in the attempt
  int frames = 0;      // frames from the level's load to its win
  bool atPar = false;  // won with no more actions than its par
};

struct Badge {
  const char* name;  // shown as "Badge: <name>"
  const char* rule;  // for players, in the README's words
  bool (*earned)(const BadgeFacts&);
};

// Badge n, 1..BADGE_COUNT; null outside.
const Badge* BadgeOf(int n);
// The badge bits whose rules hold for these facts.
int EarnedBadges(const BadgeFacts& facts);
// Adds to Badges each bit that it lacks, announcing each new badge once ("Badge: <name>") and
// playing the badge jingle when there is one.
void AwardBadges(int bits);
