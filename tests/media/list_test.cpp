// Lists hold the walkers, particles, messages and scores; every one of them is changed while it
// is being walked (a walker dies, a particle spawns), so changes during ForEach are the point.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "media/list.h"

namespace {

struct Rec {
  int v = 0;
  int tag = 0;  // tells equal keys apart for the stability check
};

void Fill(List<Rec>& list, std::initializer_list<int> values) {
  for (int v : values) list.Append(Rec{v});
}

std::vector<int> Values(List<Rec>& list) {
  std::vector<int> out;
  list.ForEach([&](Rec& r) { out.push_back(r.v); });
  return out;
}

Rec* Find(List<Rec>& list, int v) {
  Rec* found = nullptr;
  list.ForEach([&](Rec& r) {
    if (r.v == v && !found) found = &r;
  });
  return found;
}

}  // namespace

TEST(List, AppendPrependRemoveOutsideIteration) {
  List<Rec> list;
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.First(), nullptr);
  Fill(list, {2, 3});
  list.Prepend(Rec{1});
  EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(list.First()->v, 1);
  EXPECT_EQ(list.Last()->v, 3);
  EXPECT_TRUE(list.Remove(Find(list, 2)));
  EXPECT_FALSE(list.Remove(nullptr));
  Rec stranger;
  EXPECT_FALSE(list.Remove(&stranger));
  EXPECT_EQ(Values(list), (std::vector<int>{1, 3}));
  EXPECT_EQ(list.Count(), 2);
}

TEST(List, RemovingDuringForEach) {
  struct Case {
    const char* what;
    int at;      // value whose visit does the removing
    int remove;  // value removed
    std::vector<int> visited, after;
  };
  const Case cases[] = {
      // what       at  remove  visited            left afterwards
      {"current", 3, 3, {1, 2, 3, 4, 5}, {1, 2, 4, 5}},
      {"earlier", 3, 1, {1, 2, 3, 4, 5}, {2, 3, 4, 5}},
      {"later", 3, 4, {1, 2, 3, 5}, {1, 2, 3, 5}},        // skipped at once
      {"last", 1, 5, {1, 2, 3, 4}, {1, 2, 3, 4}},
      {"first as current", 1, 1, {1, 2, 3, 4, 5}, {2, 3, 4, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    List<Rec> list;
    Fill(list, {1, 2, 3, 4, 5});
    Rec* victim = Find(list, c.remove);
    std::vector<int> visited;
    list.ForEach([&](Rec& r) {
      visited.push_back(r.v);
      if (r.v == c.at) {
        EXPECT_TRUE(list.Remove(victim));
        EXPECT_FALSE(list.Remove(victim));  // already gone
        r.tag = 7;                          // the current record stays usable after its removal
      }
    });
    EXPECT_EQ(visited, c.visited);
    EXPECT_EQ(Values(list), c.after);
    EXPECT_EQ(list.Count(), 4);
  }
}

TEST(List, RemovingEveryRecordAsItIsVisited) {
  List<Rec> list;
  Fill(list, {1, 2, 3, 4});
  std::vector<int> visited;
  list.ForEach([&](Rec& r) {
    visited.push_back(r.v);
    list.Remove(&r);
  });
  EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.First(), nullptr);
  EXPECT_EQ(list.Last(), nullptr);
}

TEST(List, RemoveIfInOnePassInsideAndOutsideAnIteration) {
  List<Rec> list;
  Fill(list, {1, 2, 3, 4, 5, 6});
  EXPECT_EQ(list.RemoveIf([](const Rec& r) { return r.v % 2 == 0; }), 3);
  EXPECT_EQ(Values(list), (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(list.Count(), 3);
  // Inside an iteration the current record stays usable and later ones are skipped.
  std::vector<int> visited;
  list.ForEach([&](Rec& r) {
    visited.push_back(r.v);
    if (r.v == 3) {
      EXPECT_EQ(list.RemoveIf([](const Rec& x) { return x.v >= 3; }), 2);
      r.tag = 7;
    }
  });
  EXPECT_EQ(visited, (std::vector<int>{1, 3}));
  EXPECT_EQ(Values(list), std::vector<int>{1});
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.RemoveIf([](const Rec&) { return false; }), 0);
}

TEST(List, AppendingDuringForEachIsVisited) {
  List<Rec> list;
  Fill(list, {1, 2});
  std::vector<int> visited;
  list.ForEach([&](Rec& r) {
    visited.push_back(r.v);
    if (r.v < 4) list.Append(Rec{r.v + 2});  // a spawn that spawns again
  });
  EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(list.Count(), 5);
}

TEST(List, PrependingDuringForEachKeepsThePlace) {
  List<Rec> list;
  Fill(list, {1, 2, 3});
  std::vector<int> visited;
  list.ForEach([&](Rec& r) {
    visited.push_back(r.v);
    if (r.v == 2) {
      list.Prepend(Rec{10});
      list.Prepend(Rec{11});
    }
  });
  // Records put in front of the current one are behind the iteration: not visited, none twice.
  EXPECT_EQ(visited, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Values(list), (std::vector<int>{11, 10, 1, 2, 3}));
}

TEST(List, ClearDuringForEachEndsTheVisitsButKeepsAppendsAfterIt) {
  List<Rec> list;
  Fill(list, {1, 2, 3});
  std::vector<int> visited;
  list.ForEach([&](Rec& r) {
    visited.push_back(r.v);
    if (r.v == 2) {
      list.Clear();
      EXPECT_EQ(list.Count(), 0);
      EXPECT_EQ(r.v, 2);  // the current record outlives the clear until the iteration ends
      list.Append(Rec{9});
    }
  });
  EXPECT_EQ(visited, (std::vector<int>{1, 2, 9}));
  EXPECT_EQ(Values(list), std::vector<int>{9});
}

TEST(List, NestedForEachReleasesOnlyAtTheOutermostEnd) {
  List<Rec> list;
  Fill(list, {1, 2, 3});
  std::vector<int> visited;
  list.ForEach([&](Rec& outer) {
    list.ForEach([&](Rec& inner) {
      if (inner.v == outer.v + 1) list.Remove(&inner);
    });
    visited.push_back(outer.v);  // still valid after the inner loop ended
  });
  EXPECT_EQ(visited, (std::vector<int>{1, 3}));
  EXPECT_EQ(Values(list), (std::vector<int>{1, 3}));
}

TEST(List, AnEscapingVisitorLeavesTheListUsable) {
  // A record that tells when its storage is released.
  struct Tracked {
    int v = 0;
    std::shared_ptr<int> alive = std::make_shared<int>(0);
  };
  List<Tracked> list;
  std::vector<std::weak_ptr<int>> alive;
  for (int v = 1; v <= 3; ++v) alive.push_back(list.Append(Tracked{v})->alive);
  EXPECT_THROW(list.ForEach([&](Tracked& r) {
    list.Remove(&r);
    if (r.v == 2) throw std::runtime_error("end hook");
  }),
               std::runtime_error);
  EXPECT_EQ(list.Count(), 1);
  // Out of its iteration again: what was removed is released, and removal is immediate.
  EXPECT_TRUE(alive[0].expired());
  EXPECT_TRUE(alive[1].expired());
  list.Remove(list.First());
  EXPECT_TRUE(alive[2].expired());
  EXPECT_TRUE(list.Empty());
}

TEST(List, SortIsStableAndAscending) {
  List<Rec> list;
  const int keys[] = {3, 1, 2, 1, 3, 2, 1};
  for (int i = 0; i < 7; ++i) list.Append(Rec{keys[i], i});
  list.Sort([](const Rec& a, const Rec& b) { return a.v - b.v; });
  std::vector<std::pair<int, int>> got;
  list.ForEach([&](Rec& r) { got.emplace_back(r.v, r.tag); });
  EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{1, 1}, {1, 3}, {1, 6}, {2, 2}, {2, 5}, {3, 0}, {3, 4}}));
  // Descending by a reversed comparison, still stable.
  list.Sort([](const Rec& a, const Rec& b) { return b.v - a.v; });
  EXPECT_EQ(list.First()->tag, 0);
  EXPECT_EQ(list.Last()->tag, 6);
}

TEST(List, SortDuringForEachAfterARemovalIsSafe) {
  List<Rec> list;
  Fill(list, {3, 1, 2});
  list.ForEach([&](Rec& r) {
    if (r.v == 1) {
      list.Remove(&r);
      list.Sort([](const Rec& a, const Rec& b) { return a.v - b.v; });
    }
  });
  EXPECT_EQ(Values(list), (std::vector<int>{2, 3}));
  EXPECT_EQ(list.Count(), 2);
}
