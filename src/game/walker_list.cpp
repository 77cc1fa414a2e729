// Taking walkers out of the list without leaving the selection dangling.
#include "game/walker.h"

namespace {

void Depart(const Walker& w) {
  if (SelectedWalker != &w) return;
  DepartedWalker = w;
  SelectedWalker = &DepartedWalker;
}

}  // namespace

void RemoveWalker(Walker& w) {
  Depart(w);
  Walkers.Remove(&w);
}

void ClearWalkers() {
  Walkers.ForEach([](Walker& w) { Depart(w); });
  Walkers.Clear();
}
