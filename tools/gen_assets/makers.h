// What gen_assets makes, one file each: the ground tiles and effects (tiles.cpp), the interface
// icons (icons.cpp), the logos and banners (logos.cpp), the badges (badges.cpp), the walker
// strips (walker.cpp), the sound effects (sounds.cpp), the music's instrument samples
// (samples.cpp) and the review pictures (review.cpp).
#pragma once

#include "gen_assets/raster.h"
#include "gen_assets/synth.h"

namespace art {

// Images
Strip MakeBg();       // ground tiles, hole tiles and the stock hat icon
Image MakeBoom();     // one ground block, cut into the debris of a broken block
Image MakeGrid();     // the background tile
Image MakeSpurt();
Strip MakeIcons();    // the interface icons, one cell per entry of the shared icon table
Image MakeGameLogo();
Image MakeDesktopIcon(int size);
Image MakeEngineLogo();
Image MakeSiteLogo();
Strip MakeBits();     // the won and lost banners
Strip MakeBadges();

// Sounds
Sound MakeEffect(int n);  // the game's effects, numbered as the game plays them
Sound MakeJingle();       // the badge jingle
Sound MakeDrum(int kit, int n);
Sound MakeBass(int n);
Sound MakeLead(int n);
Sound MakeAccompany(int n);

// Review pictures
struct Assets {
  Strip icons{16, 16, 8, 8}, badges{64, 64, 4, 4}, bg{64, 64, 8, 8}, plonko{64, 64, 10, 10}, hats{64, 64, 10, 10},
      bits{256, 128, 4, 2}, boom{8, 8, 8, 8};
  Image engineLogo, siteLogo, gameLogo, grid, spurt, ahat;
};
Image ContactSheet(const Assets& a);
Image Mockup(const Assets& a);
Image Resample(const Image& src, int w, int h);

}  // namespace art
