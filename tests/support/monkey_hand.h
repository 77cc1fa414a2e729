// The monkey's hand, shared by the real-window monkey and the headless one: the screens it tells
// apart, the acts it makes, how likely each act is on each screen, and the seeded choice.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <random>

enum ScreenKind { STARTING, TITLE, LEVEL, PAUSE, NAME_ENTRY, SETTINGS, CLOSING, SCREEN_KINDS };
constexpr const char* SCREEN_NAMES[SCREEN_KINDS] = {"start-up", "title",    "level",  "pause menu",
                                                    "name entry", "settings", "closing"};

enum Act { WAIT, CLICK, RIGHT_CLICK, DRAG, START_CLICK, HAT_DRAG, PANEL_CLICK, APPLY, KEY, TYPE, TAB, ESCAPE, F11, F12, CLOSE, ACTS };

// How likely each act is on each screen (relative weights), row per screen in ScreenKind order.
// Escape on the title and the closes end the program: Pick scales them with the program's age,
// so that it lives long enough for its memory to be watched and still closes now and then.
constexpr std::array<std::array<int, ACTS>, SCREEN_KINDS> MONKEY_WEIGHTS = {{
    // WAIT CLICK RCLK DRAG START HAT PANEL APPLY KEY TYPE TAB ESC F11 F12 CLOSE
    {{20,   2,    0,   0,   0,    0,  0,    0,    2,  0,   0,  0,  0,  0,  0}},  // start-up
    {{4,    6,    1,   2,   30,   0,  0,    0,    6,  0,   6,  3,  1,  2,  2}},  // title
    {{8,    25,   3,   6,   0,    12, 0,    0,    6,  0,   4,  8,  1,  2,  1}},  // level
    {{4,    4,    1,   1,   0,    0,  0,    0,    20, 0,   3,  8,  1,  1,  1}},  // pause menu
    {{4,    3,    1,   1,   0,    0,  0,    0,    6,  20,  3,  3,  1,  1,  1}},  // name entry
    {{4,    4,    6,   6,   0,    0,  24,   2,    4,  0,   10, 3,  1,  1,  1}},  // settings
    {{30,   3,    0,   0,   0,    0,  0,    0,    3,  0,   0,  1,  0,  0,  2}},  // closing
}};

class MonkeyHand {
 public:
  explicit MonkeyHand(uint32_t seed) : rng_(seed) {}

  int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  double Uniform() { return std::uniform_real_distribution<double>(0, 1)(rng_); }

  // The next act on `screen` for a program `age` long, where `lifeTarget` (same unit) is about
  // how long a program should live.
  Act Pick(ScreenKind screen, double age, double lifeTarget) {
    std::array<int, ACTS> w = MONKEY_WEIGHTS[screen];
    const double agePart = std::min(4.0, age / lifeTarget);
    w[CLOSE] = static_cast<int>(w[CLOSE] * agePart);
    if (screen == TITLE) w[ESCAPE] = static_cast<int>(w[ESCAPE] * agePart);
    int total = 0;
    for (int x : w) total += x;
    int r = Rand(0, total - 1);
    for (int a = 0; a < ACTS; ++a) {
      if (r < w[a]) return static_cast<Act>(a);
      r -= w[a];
    }
    return WAIT;
  }

 private:
  std::mt19937 rng_;
};

// The run's seed: MONKEY_SEED when set (to replay a run), else a fresh one.
inline uint32_t MonkeySeed() {
  if (const char* s = std::getenv("MONKEY_SEED"); s && *s) return static_cast<uint32_t>(std::strtoul(s, nullptr, 10));
  return std::random_device{}();
}

// Where a life of the program has been: it is warmed up once it has shown every screen that draws
// something of its own (title, a level, the pause menu, name entry, settings) and taken a
// screenshot and shown the overlay, each at least once.
struct MonkeyTour {
  std::array<bool, SCREEN_KINDS> seen{};
  bool f11 = false, f12 = false;
  void Saw(ScreenKind s) { seen[s] = true; }
  void Did(Act a) {
    f11 |= a == F11;
    f12 |= a == F12;
  }
  bool Done() const { return seen[TITLE] && seen[LEVEL] && seen[PAUSE] && seen[NAME_ENTRY] && seen[SETTINGS] && f11 && f12; }
};
