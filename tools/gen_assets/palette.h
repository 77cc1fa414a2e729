// The colours every picture of the generator is drawn in.
#pragma once

#include "gen_assets/raster.h"

namespace art {

// One set of colours for everything.
namespace pal {
inline const RGBA INK = Hex(0x2A1A2C);        // outlines
inline const RGBA SKIN = Hex(0xFFA24E);       // walker body
inline const RGBA SKIN_LIGHT = Hex(0xFFD38A);
inline const RGBA SKIN_DARK = Hex(0xD9622E);
inline const RGBA BELLY = Hex(0xFFE2AE);
inline const RGBA CHEEK = Hex(0xFF6F6A);
inline const RGBA FOOT = Hex(0xC4532A);
inline const RGBA EYE = Hex(0xFFFFFF);
inline const RGBA PUPIL = Hex(0x1E1426);
inline const RGBA MOUTH = Hex(0x5A1A24);
inline const RGBA TONGUE = Hex(0xFF6F7A);
inline const RGBA SOIL = Hex(0x7A4A2A);
inline const RGBA SOIL_DARK = Hex(0x4E2C18);
inline const RGBA SOIL_LIGHT = Hex(0x9C643A);
inline const RGBA PEBBLE = Hex(0xA59A8A);
inline const RGBA GRASS = Hex(0x56B236);
inline const RGBA GRASS_LIGHT = Hex(0x9BE05A);
inline const RGBA GRASS_DARK = Hex(0x2C6E24);
inline const RGBA STONE = Hex(0x7C8AA6);
inline const RGBA STONE_LIGHT = Hex(0xB0BCD4);
inline const RGBA STONE_DARK = Hex(0x48506A);
inline const RGBA HOLE_IN = Hex(0x1A0830);
inline const RGBA HOLE_DEEP = Hex(0x05010C);
inline const RGBA RIM = Hex(0x5EF2FF);
inline const RGBA RIM_VIOLET = Hex(0xA070FF);
inline const RGBA GOLD = Hex(0xFFD23C);
inline const RGBA ORANGE = Hex(0xFF8A2A);
inline const RGBA SKY = Hex(0x3C7CFF);
inline const RGBA WHITE = Hex(0xFFFFFF);
// Hat cells are neutral so that the game's tint decides their colour.
inline const RGBA HAT = Grey(0.93f);
inline const RGBA HAT_LIGHT = Grey(1.0f);
inline const RGBA HAT_SHADE = Grey(0.66f);
inline const RGBA HAT_BAND = Grey(0.55f);
inline const RGBA HAT_INK = Grey(0.13f);
}  // namespace pal

// The game's hat tints, for the review pictures.
inline const RGBA HAT_TINTS[8] = {Hex(0xFFFFFF), Hex(0xFF3232), Hex(0xFFFF32), Hex(0x32FF32),
                                  Hex(0x32FFFF), Hex(0x3232FF), Hex(0xFF32FF), Hex(0xFFFFFF)};

}  // namespace art
