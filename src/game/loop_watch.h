// Tells when a level can no longer end: every walker left is pacing in a loop that repeats
// exactly (board, walkers and hat stock), with no action of the player in between, and no hat
// left in the stock that could break it open. Each walker is watched on its own while the board
// stays as it is: walkers only meet through the board, so once each one repeats, the whole level
// repeats. A walker's record is compared only at its turns (a loop must turn to come back), with
// its last few turns, so pacing is known one round after its first turn; Brent's cycle test
// over all its turns catches any longer loop.
#pragma once

#include <vector>

#include "game/game_state.h"

class LoopWatch {
 public:
  // Forgets everything seen; the next Look starts afresh.
  void Reset();
  // One look after the walkers' frame. acted: the player tickled, or took, carried or gave a hat
  // in this frame. True while every live walker is known to repeat and nothing the stock holds
  // could help; false on a live board, with no walkers, and after any action or change of board.
  bool Look(const Board& b, LiveWalkers& walkers, bool acted);

 private:
  static constexpr int RECENT = 4;  // turns kept: pacing between two walls turns twice a round
  struct Track {
    Walker recent[RECENT];  // the records at the last turns, a ring
    int turns = 0;          // turns seen
    Walker mark;        // the record at the turn compared against
    int d = 0;          // facing seen in the last look, to notice a turn
    int power = 1;      // turns between moves of the mark (Brent)
    int since = 0;      // turns since the mark moved
    bool marked = false;
    bool loops = false;  // the record came back to the mark: this walker repeats for ever
  };
  void Start(const Board& b, LiveWalkers& walkers);

  bool started_ = false;
  Board board_;
  std::vector<Track> tracks_;
};

// Whether a Hard Hat could open a wall this walker turns at: the first solid cell along its row,
// either way, lies inside the board (the board's edge cannot be broken).
bool WallWithinReach(const Board& b, const Walker& w);
