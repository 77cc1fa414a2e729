// Plans to pointer input.
#include "game/plan_script.h"

#include <algorithm>

#include "game/panel_layout.h"

namespace {

constexpr int BOARD_X = 32, BOARD_Y = 32;  // board origin of the 1280 x 960 layout
constexpr int LAYOUT_W = 1280;             // the screen width of that layout
constexpr int TAKE_LEAD = 6, AIM_LEAD = 3, RELEASE_AFTER = 2;
static_assert(HAT_TAKE_LEAD == AIM_LEAD + 1, "the pointer leaves the icon AIM_LEAD frames before the drop");

}  // namespace

void WalkerMiddle(const Walker& w, int& x, int& y) {
  x = w.x * CELL_PIXELS + w.ox + BOARD_X + 32;
  y = w.y * CELL_PIXELS + w.oy + BOARD_Y + 32;
}

std::vector<SolutionEvent> PlanEvents(const RulesLevel& start, const std::vector<PlayerAction>& plan) {
  std::vector<SolutionEvent> out;
  RulesLevel s = start;
  size_t next = 0;
  const int last = plan.empty() ? 0 : plan.back().frame;
  for (int frame = 0; frame <= last && next < plan.size(); ++frame) {
    const size_t first = next;
    while (next < plan.size() && plan[next].frame <= frame) ++next;
    for (size_t k = first; k < next; ++k) {
      const PlayerAction& a = plan[k];
      int x = 0, y = 0;
      if (a.hat == 0) {
        WalkerMiddle(s.walkers[a.walker], x, y);
        out.push_back({SolutionEvent::MOVE, std::max(0, frame - 1), x, y});
        out.push_back({SolutionEvent::PRESS, frame, 0, 0});
        out.push_back({SolutionEvent::RELEASE, frame + RELEASE_AFTER, 0, 0});
      } else {
        // Aim where the walker will be when the hat drops: play this frame on a copy.
        RulesLevel after = s;
        StepLevel(after, nullptr, 0);
        WalkerMiddle(after.walkers[a.walker], x, y);
        const int take = std::max(0, frame - TAKE_LEAD);
        int ix = 0, iy = 0;
        StockIconCorner(LAYOUT_W, a.hat, 1, ix, iy);
        out.push_back({SolutionEvent::MOVE, take, ix + ICON_HALF, iy + ICON_HALF});
        out.push_back({SolutionEvent::PRESS, take + 1, 0, 0});
        out.push_back({SolutionEvent::MOVE, frame - AIM_LEAD, x, y});
        out.push_back({SolutionEvent::RELEASE, frame, 0, 0});
      }
    }
    StepLevel(s, plan.data() + first, static_cast<int>(next - first));
  }
  std::stable_sort(out.begin(), out.end(), [](const SolutionEvent& a, const SolutionEvent& b) { return a.frame < b.frame; });
  return out;
}
