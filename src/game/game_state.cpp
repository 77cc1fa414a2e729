// The level's live walkers as a list, and putting the game's state back to its start.
#include "game/game_state.h"

#include <bit>

int LiveWalkers::Count() const { return std::popcount(LevelState.live); }

Walker* LiveWalkers::First() {
  for (int i = 0; i < LevelState.count; ++i)
    if (WalkerLive(i)) return &LevelState.walkers[i];
  return nullptr;
}

Walker* LiveWalkers::Last() {
  for (int i = LevelState.count - 1; i >= 0; --i)
    if (WalkerLive(i)) return &LevelState.walkers[i];
  return nullptr;
}

Walker* LiveWalkers::Append(const Walker& w) {
  if (LevelState.count >= RULES_MAX_WALKERS) return nullptr;
  const int i = LevelState.count++;
  LevelState.walkers[i] = w;
  LevelState.live |= 1u << i;
  return &LevelState.walkers[i];
}

void ResetGameState() {
  LevelState = RulesLevel{};
  LevelStart = RulesLevel{};
  LevelFrame = 0;
  ActionLog.clear();
  ClickLatch = false;
  SelectedWalker = -1;
  SpurtList.Clear();
  BoomList.Clear();
  HatPopList.Clear();
  TintR = TintG = TintB = 0;
  TintVR = TintVG = TintVB = 0;
  ScrollX = ScrollY = 0;
}
