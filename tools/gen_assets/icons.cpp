// The interface icons, one 16 x 16 cell per entry of the shared icon table. The engine tints many
// of them (binding boxes, slider parts, the graph point), so those are drawn in light greys; the
// option icons carry their own colours.
#include <algorithm>
#include <iterator>

#include "common/icon_cells.h"
#include "gen_assets/makers.h"
#include "gen_assets/palette.h"

namespace art {

namespace {

RGBA Light() { return Grey(0.96f); }
RGBA Mid() { return Grey(0.78f); }
RGBA Dark() { return Grey(0.25f); }

// A shape in its own colour, lit from above, with an ink outline.
void Lit(Canvas& c, const Shape& s, RGBA col, float ow = 1.0f) {
  c.Fill(Grow(s, ow), Solid(pal::INK));
  c.Fill(s, VGrad(Mix(col, pal::WHITE, 0.35f), Mul(col, 0.78f), s.b.y0, s.b.y1));
}

Shape Speaker() {
  return Union(RoundBox(1.2f, 6.0f, 4.5f, 10.0f, 0.6f), Polygon({{3.5f, 6.2f}, {7.8f, 2.5f}, {7.8f, 13.5f}, {3.5f, 9.8f}}));
}
Shape Wave(int k) { return Stroke(Arc(7.6f, 8, 1.9f + 2.1f * k, 1.9f + 2.1f * k, -50, 50, 10), 0.7f); }

void EngineTestStar(Canvas& c) { c.Fill(Star(8, 8.5f, 7.5f, 3.2f, 5), Solid(Light())); }
void Tick(Canvas& c) { Lit(c, Stroke({{3, 8.5f}, {6.5f, 12}, {13, 4}}, 1.5f), pal::GRASS_LIGHT); }
void Cross(Canvas& c) { Lit(c, Union(Capsule(4, 4, 12, 12, 1.5f), Capsule(12, 4, 4, 12, 1.5f)), Hex(0xFF5A5A)); }

// A key cap, dark face so the key name reads on it.
void KeyCap(Canvas& c) {
  c.Fill(RoundBox(0.5f, 0.5f, 15.5f, 15.5f, 3.5f), Solid(pal::INK));
  c.Fill(RoundBox(1.3f, 1.3f, 14.7f, 14.7f, 2.8f), VGrad(Light(), Mid(), 1, 15));
  c.Fill(RoundBox(2.6f, 2.2f, 13.4f, 12.6f, 2.0f), Solid(Dark()));
}

void ArrowLeft(Canvas& c) {
  Lit(c, Polygon({{2, 8}, {8, 2.5f}, {8, 5.5f}, {14, 5.5f}, {14, 10.5f}, {8, 10.5f}, {8, 13.5f}}), pal::SKY);
}
void ArrowRight(Canvas& c) {
  Lit(c, Polygon({{14, 8}, {8, 2.5f}, {8, 5.5f}, {2, 5.5f}, {2, 10.5f}, {8, 10.5f}, {8, 13.5f}}), pal::SKY);
}
void Heart(Canvas& c) {
  Lit(c, Union(Union(Circle(5.5f, 6.5f, 3.3f), Circle(10.5f, 6.5f, 3.3f)), Polygon({{2.4f, 7.6f}, {13.6f, 7.6f}, {8, 14}})),
      Hex(0xFF5A7A));
}

void GraphPoint(Canvas& c) {
  c.Fill(Circle(8, 8, 5.2f), Solid(pal::INK));
  c.Fill(Circle(8, 8, 4.2f), [](float x, float y) { return Grey(1.0f - 0.3f * Clamp01((x + y - 10) / 8)); });
  c.Fill(Circle(6.6f, 6.6f, 1.2f), Solid(pal::WHITE));
}

// A joystick hat: a direction pad.
void DirectionPad(Canvas& c) {
  c.Fill(Grow(Union(RoundBox(5.5f, 1, 10.5f, 15, 1.2f), RoundBox(1, 5.5f, 15, 10.5f, 1.2f)), 0.5f), Solid(pal::INK));
  c.Fill(Union(RoundBox(6.2f, 1.7f, 9.8f, 14.3f, 0.8f), RoundBox(1.7f, 6.2f, 14.3f, 9.8f, 0.8f)), VGrad(Light(), Mid(), 1, 15));
  c.Fill(Circle(8, 8, 1.3f), Solid(Dark()));
  for (auto t : {Polygon({{8, 2.6f}, {9.4f, 4.6f}, {6.6f, 4.6f}}), Polygon({{8, 13.4f}, {9.4f, 11.4f}, {6.6f, 11.4f}}),
                 Polygon({{2.6f, 8}, {4.6f, 6.6f}, {4.6f, 9.4f}}), Polygon({{13.4f, 8}, {11.4f, 6.6f}, {11.4f, 9.4f}})})
    c.Fill(t, Solid(Dark()));
}

// A joystick axis: a stick on its base.
void Stick(Canvas& c) {
  c.Fill(Ellipse(8, 12, 6.8f, 3.2f), Solid(pal::INK));
  c.Fill(Ellipse(8, 11.7f, 6.0f, 2.5f), VGrad(Mid(), Dark(), 9, 14));
  c.Fill(Capsule(8, 11, 8, 6, 1.6f), Solid(pal::INK));
  c.Fill(Capsule(8, 11, 8, 6, 0.8f), Solid(Mid()));
  c.Fill(Circle(8, 5, 3.6f), Solid(pal::INK));
  c.Fill(Circle(8, 5, 2.8f), VGrad(Light(), Mid(), 2, 8));
}

// A joystick button: a round cap, dark face so the button number reads on it.
void RoundCap(Canvas& c) {
  c.Fill(Circle(8, 8.5f, 7.0f), Solid(pal::INK));
  c.Fill(Circle(8, 8.5f, 6.2f), VGrad(Light(), Mid(), 2, 15));
  c.Fill(Circle(8, 8.2f, 4.4f), Solid(Dark()));
}

// A display of the given half width and height on its stand.
void Screen(Canvas& c, float w, float h) {
  c.Fill(RoundBox(8 - w - 1, 7 - h - 1, 8 + w + 1, 7 + h + 1, 1.3f), Solid(pal::INK));
  c.Fill(RoundBox(8 - w, 7 - h, 8 + w, 7 + h, 0.8f), Solid(Mid()));
  c.Fill(RoundBox(8 - w + 1, 7 - h + 1, 8 + w - 1, 7 + h - 1, 0.3f), VGrad(Hex(0x7FD0FF), Hex(0x2F5FC0), 7 - h, 7 + h));
  c.Fill(RoundBox(5.5f, 12.4f, 10.5f, 14.6f, 0.6f), Solid(pal::INK));
  c.Fill(RoundBox(6.2f, 12.8f, 9.8f, 14.0f, 0.3f), Solid(Mid()));
}

void Windowed(Canvas& c) {
  c.Fill(RoundBox(1, 2, 15, 14, 1.3f), Solid(pal::INK));
  c.Fill(RoundBox(2, 3, 14, 13, 0.6f), Solid(Hex(0xDCE6F5)));
  c.Fill(RoundBox(2, 3, 14, 5.6f, 0.6f), Solid(pal::SKY));
  c.Fill(Circle(12.3f, 4.3f, 0.8f), Solid(Hex(0xFF5A5A)));
  c.Fill(RoundBox(3.5f, 7, 9, 11.5f, 0.4f), Solid(Hex(0x9AB0CC)));
}

// Full screen: corners pushed outward.
void FullScreen(Canvas& c) {
  c.Fill(RoundBox(1, 2, 15, 14, 1.3f), Solid(pal::INK));
  c.Fill(RoundBox(2, 3, 14, 13, 0.6f), VGrad(Hex(0x7FD0FF), Hex(0x2F5FC0), 3, 13));
  for (auto s : {Stroke({{3.5f, 7}, {3.5f, 4.5f}, {6, 4.5f}}, 0.8f), Stroke({{12.5f, 7}, {12.5f, 4.5f}, {10, 4.5f}}, 0.8f),
                 Stroke({{3.5f, 9}, {3.5f, 11.5f}, {6, 11.5f}}, 0.8f), Stroke({{12.5f, 9}, {12.5f, 11.5f}, {10, 11.5f}}, 0.8f)})
    c.Fill(s, Solid(pal::WHITE));
}

// Quality: three, two or one bar lit (best, fewer frames or alternative, backup).
void QualityBars(Canvas& c, int litBars) {
  const RGBA on[3] = {Hex(0x6CFF5A), Hex(0xFFE04A), Hex(0xFF8A3A)};
  for (int k = 0; k < 3; k++) {
    float x0 = 2 + k * 4.4f, top = 11 - k * 3.5f;
    Shape bar = RoundBox(x0, top, x0 + 3.2f, 14.5f, 0.7f);
    c.Fill(Grow(bar, 0.8f), Solid(pal::INK));
    c.Fill(bar, k < litBars ? VGrad(Mix(on[3 - litBars], pal::WHITE, 0.3f), on[3 - litBars], top, 14.5f) : Solid(Grey(0.35f)));
  }
}

// Slider track halves: rounded at the outer end, open at the join.
void TrackHalf(Canvas& c, bool left) {
  Shape t = RoundBox(left ? 1.5f : -4.0f, 5.0f, left ? 20.0f : 14.5f, 11.0f, 3.0f);
  c.Fill(Grow(t, 1.0f), Solid(pal::INK));
  c.Fill(t, VGrad(Mid(), Light(), 5, 11));
  c.Fill(RoundBox(left ? 3.0f : -4.0f, 7.2f, left ? 20.0f : 13.0f, 8.8f, 0.8f), Solid(Dark()));
}

void Knob(Canvas& c) {
  c.Fill(RoundBox(3.5f, 1.0f, 12.5f, 15.0f, 3.0f), Solid(pal::INK));
  c.Fill(RoundBox(4.5f, 2.0f, 11.5f, 14.0f, 2.2f), VGrad(Light(), Mid(), 2, 14));
  for (int k = 0; k < 3; k++) c.Fill(Capsule(6.3f, 5.5f + k * 2.5f, 9.7f, 5.5f + k * 2.5f, 0.45f), Solid(Grey(0.45f)));
}

// A speaker with `waves` sound waves.
void SpeakerWaves(Canvas& c, int waves) {
  Lit(c, Speaker(), Hex(0xFFD36A), 0.9f);
  for (int k = 1; k <= waves; k++) {
    c.Fill(Grow(Wave(k), 0.7f), Solid(pal::INK));
    c.Fill(Wave(k), Solid(Hex(0x8FF0FF)));
  }
}

void Headphones(Canvas& c) {
  Shape band = Stroke(Arc(8, 9, 5.6f, 6.2f, 0, 180, 16), 1.0f);
  c.Fill(Grow(band, 0.8f), Solid(pal::INK));
  c.Fill(band, Solid(Mid()));
  Lit(c, RoundBox(1.3f, 8.5f, 5.0f, 14.5f, 1.3f), Hex(0xFF7A9A), 0.9f);
  Lit(c, RoundBox(11.0f, 8.5f, 14.7f, 14.5f, 1.3f), Hex(0xFF7A9A), 0.9f);
}

void MusicNote(Canvas& c) {
  Lit(c, Union(Union(Ellipse(5.2f, 12, 3.0f, 2.3f), Capsule(7.6f, 12, 7.6f, 2.5f, 0.8f)), Stroke({{7.6f, 2.5f}, {12.5f, 4.5f}, {12.5f, 7.0f}}, 0.8f)),
      Hex(0xB58CFF), 0.9f);
}

void SoundChip(Canvas& c) {
  for (int k = 0; k < 4; k++) {
    c.Fill(Capsule(4 + k * 2.7f, 2, 4 + k * 2.7f, 14, 0.9f), Solid(pal::INK));
    c.Fill(Capsule(4 + k * 2.7f, 2.4f, 4 + k * 2.7f, 13.6f, 0.4f), Solid(Hex(0xFFD36A)));
  }
  c.Fill(RoundBox(2.5f, 4.5f, 13.5f, 11.5f, 1.2f), Solid(pal::INK));
  c.Fill(RoundBox(3.3f, 5.3f, 12.7f, 10.7f, 0.7f), VGrad(Grey(0.5f), Grey(0.3f), 5, 11));
  c.Fill(Wave(1), Solid(Hex(0x8FF0FF)));
}

// The pointer: tip at the cell's top-left corner.
void Pointer(Canvas& c) {
  Shape arrow = Polygon({{1.0f, 1.0f}, {1.0f, 13.0f}, {4.2f, 10.2f}, {6.6f, 15.0f}, {8.8f, 14.0f}, {6.6f, 9.4f}, {10.8f, 9.2f}});
  c.Fill(Grow(arrow, 0.9f), Solid(pal::INK));
  c.Fill(arrow, VGrad(pal::WHITE, Hex(0xD8E4FF), 1, 15));
  c.Fill(Stroke({{2.2f, 3.5f}, {2.2f, 9.5f}}, 0.5f), Solid(Hex(0x8FB8FF)));
}

struct IconArt {
  IconCell cell;
  void (*draw)(Canvas&);
};
const IconArt ICON_ART[] = {
    {ICON_STAR, EngineTestStar},
    {ICON_TICK, Tick},
    {ICON_CROSS, Cross},
    {ICON_KEY, KeyCap},
    {ICON_ARROW_LEFT, ArrowLeft},
    {ICON_ARROW_RIGHT, ArrowRight},
    {ICON_HEART, Heart},
    {ICON_GRAPH_POINT, GraphPoint},
    {ICON_JOY_HAT, DirectionPad},
    {ICON_JOY_AXIS, Stick},
    {ICON_JOY_BUTTON, RoundCap},
    {ICON_SCREEN_4_3, [](Canvas& c) { Screen(c, 5.2f, 4.2f); }},
    {ICON_SCREEN_WIDE, [](Canvas& c) { Screen(c, 7.2f, 3.6f); }},
    {ICON_WINDOWED, Windowed},
    {ICON_FULLSCREEN, FullScreen},
    {ICON_QUALITY_BEST, [](Canvas& c) { QualityBars(c, 3); }},
    {ICON_QUALITY_FEWER, [](Canvas& c) { QualityBars(c, 2); }},
    {ICON_QUALITY_BACKUP, [](Canvas& c) { QualityBars(c, 1); }},
    {ICON_TRACK_LEFT, [](Canvas& c) { TrackHalf(c, true); }},
    {ICON_TRACK_RIGHT, [](Canvas& c) { TrackHalf(c, false); }},
    {ICON_KNOB, Knob},
    {ICON_SPEAKER_LOUD, [](Canvas& c) { SpeakerWaves(c, 3); }},
    {ICON_SPEAKER, [](Canvas& c) { SpeakerWaves(c, 2); }},
    {ICON_SPEAKER_SOFT, [](Canvas& c) { SpeakerWaves(c, 1); }},
    {ICON_HEADPHONES, Headphones},
    {ICON_NOTE, MusicNote},
    {ICON_SOUND_CHIP, SoundChip},
    {ICON_POINTER, Pointer},
};
static_assert(std::size(ICON_ART) == std::size(ICONS_MADE), "one drawing for each cell of the icon table");

}  // namespace

Strip MakeIcons() {
  Strip s(16, 16, 8, 8);
  for (IconCell cell : ICONS_MADE) {
    auto art = std::find_if(std::begin(ICON_ART), std::end(ICON_ART), [&](const IconArt& a) { return a.cell == cell; });
    if (art == std::end(ICON_ART)) continue;
    Canvas c(16, 16, 8);
    art->draw(c);
    s.Put(cell, c.Resolve());
  }
  return s;
}

}  // namespace art
