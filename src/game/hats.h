// The hat colours: how a worn hat is tinted, the pure colour of pickups, icons and pops, and the
// names and descriptions that the side panel shows.
#pragma once

enum HatColour { HAT_NONE = 0, HAT_RED = 1, HAT_HARD = 2, HAT_RUBBER = 3, HAT_CYAN = 4, HAT_BLUE = 5,
                 HAT_MAGENTA = 6, HAT_SAFETY = 7 };

struct Rgb {
  int r = 255, g = 255, b = 255;
};

struct HatInfo {
  Rgb worn;  // tint of the hat drawn on a walker
  Rgb pure;  // pickups, panel icons and hat pops
  const char* name;
  const char* description;
};

// The entry for a colour index; indices outside 1..7 give an untinted, unnamed entry.
const HatInfo& Hat(int index);
