// The game's own images, loaded from the game folder by every display set-up; 0 = not loaded.
#pragma once

inline int BgImage = 0;         // "bg.png", 64 cells of 64 x 64
inline int PlonkoImage = 0;     // "plonko.png", 100 cells of 64 x 64
inline int PlonkoHatImage = 0;  // "plonkohat.png", 100 cells of 64 x 64
inline int GridImage = 0;       // "grid.png", unfiltered
inline int BoomImage = 0;       // "boom.png", 64 cells of 8 x 8
inline int SpurtImage = 0;      // "spurt.png"
inline int GameLogo = 0;        // the game folder's "logo.png", drawn by the title
inline int BitsImage = 0;       // "bits.png", 8 cells of 256 x 128
inline int AHatImage = 0;       // "ahat.png"

inline void ResetGameImages() {
  BgImage = PlonkoImage = PlonkoHatImage = GridImage = BoomImage = SpurtImage = 0;
  GameLogo = BitsImage = AHatImage = 0;
}
