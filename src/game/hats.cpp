// One table for everything the game shows per hat colour.
#include "game/hats.h"

namespace {

constexpr HatInfo HATS[] = {
    //  worn tint         pure colour       name          description
    {{255, 255, 255}, {255, 255, 255}, "", ""},
    {{255, 50, 50}, {255, 0, 0}, "Misc Hat", "unprogrammed"},
    {{255, 255, 50}, {255, 255, 0}, "Hard Hat", "Good for Banging"},
    {{50, 255, 50}, {0, 255, 0}, "Rubber Hat", "Bounces over Holes"},
    {{50, 255, 255}, {0, 255, 255}, "Misc Hat", "unprogrammed"},
    {{50, 50, 255}, {0, 0, 255}, "Misc Hat", "unprogrammed"},
    {{255, 50, 255}, {255, 0, 255}, "Misc Hat", "unprogrammed"},
    {{255, 255, 255}, {255, 255, 255}, "Safety Hat", "Pauses for your Protection"},
};
constexpr int HAT_ENTRIES = sizeof(HATS) / sizeof(HATS[0]);

}  // namespace

const HatInfo& Hat(int index) { return HATS[index >= 0 && index < HAT_ENTRIES ? index : 0]; }
