// The walker (Plonko): a tall bean with a face, stubby arms and feet, drawn from a pose. Cell
// coordinates are 64 x 64 with the ground at y = 63.5 and the walker centred on x = 32; it faces
// right (the game mirrors it). The body stays within 9.5 pixels of the centre line so that it
// does not reach into a wall 8 pixels ahead of its centre, where the walker turns.
#pragma once

#include "gen_assets/raster.h"

namespace art {

enum Eyes { EYE_OPEN, EYE_WIDE, EYE_HAPPY, EYE_SQUEEZE, EYE_X, EYE_DIZZY, EYE_ANGRY, EYE_DOWN };
enum Mouth { MOUTH_SMILE, MOUTH_OPEN, MOUTH_GRIN, MOUTH_WOBBLY, MOUTH_FLAT, MOUTH_BIG };

struct Pose {
  float lift = 0;            // whole walker raised above the ground
  float sx = 1, sy = 1;      // squash and stretch of the body about its base
  float lean = 0;            // degrees, positive tips the head forward
  float shift = 0;           // horizontal offset of everything
  int eyes = EYE_OPEN;
  float lookX = 0.8f, lookY = 0;
  int mouth = MOUTH_SMILE;
  float armF = 14, armB = -14;  // degrees from hanging; positive swings forward
  float footF = 4.5f, footB = -4.5f;  // foot x offsets from the centre line
  float liftF = 0, liftB = 0;         // foot heights above the ground
};

const float BODY_W = 9.5f, BODY_H = 20.0f, BODY_BASE = 3.5f;
const float HEAD_TOP = -(BODY_BASE + 2 * BODY_H);

// The hat: a round-domed hard hat with a peak, sitting on the head top of the same pose.
Shape HatShape(float& domeTop);

// Which pose each frame of plonko.png shows; the walker states pick frames by number:
// 0 waiting, 0-5 walking, 10-13 stepping off, 14-15 teetering (10-15 in all), 16-19 squashing
// (the splat, and the sink into a hole under the hole's rim), 20 falling, 21-24 landing,
// 30-35 bouncing up, 35-39 hopping on, 40-47 banging (42/43 the shake against the wall).
bool WalkerPose(int f, Pose& p);

// The hat alone, drawn at `scale` about (cx, cy) with outlines `ink` wide.
Image HatIcon(int size, float scale, float cx, float cy, float ink);

// The walker with a tinted hat, drawn at any scale (the game logo and the mock-up use it).
void DrawWalkerWithHat(Canvas& c, const Pose& p, RGBA tint);

// The walker strips: plonko.png (bodies, and the pointer hands in cells 90 and 91) and
// plonkohat.png (the hat of each body frame).
void MakePlonko(Strip& body, Strip& hats);

}  // namespace art
