// Drawing and text helpers on the logical screen: the draw state, the frame bracket, budgeted
// sprites with an additive glow pass, aligned text, the mouse hit test for buttons, and the field
// splitter that the settings and score files are read with. Globals live in frame/frame_state.h.
#pragma once

#include <string>

#include "common/field.h"  // the text helpers' Field, for the files the screens read

// --- Draw state ---
// Rotation 0, scale 1, white, alpha 1, alpha blending. Blending is set with the media layer's
// SetBlend and its BlendMode, the one set of blend codes.
void ResetDrawState();
// Each channel clamped to 0..255 and truncated. The four-argument form also sets alpha (clamped
// to 0..1); the three-argument form leaves alpha as it is.
void SetDrawColour(float r, float g, float b);
void SetDrawColour(float r, float g, float b, float a);
void SetDrawScale(float sx);
void SetDrawScale(float sx, float sy);
void SetDrawRotation(float degrees);
// v limited to hi, then to lo (so lo wins when lo > hi).
float ClampFloat(float v, float lo, float hi);

// --- Frame bracket ---
// clear 1 clears the back buffer; in every case DrawnCount[1..10] is zeroed.
void BeginFrame(int clear = 1);

// --- Sprites ---
// (x, y) is the top-left corner of the scaled sprite, although images are mid-handled. Counted
// against DrawLimit[kind]; over budget, on a skipped frame or with a kind outside 1..19 nothing
// is drawn.
void DrawSprite(int image, int x, int y, int frame, int kind = 1);
// A kind-1 sprite plus an additive glow pass of kind 2 centred on the same point, at the current
// scale times glowScale and alpha times glowAlpha. glowImage 0 glows with the sprite's own image.
// The glow is drawn even when the sprite itself was over budget. Scale, alpha and the media
// blend mode are restored afterwards.
void DrawGlowSprite(int image, int x, int y, int frame, int glowImage, float glowScale, float glowAlpha);

// --- Text ---
// hAlign 0 left / 1 centre / 2 right edge at x; vAlign 0 top / 1 middle / 2 bottom at y. Alignment
// uses the unscaled text size. Not budgeted, drawn on skipped frames too.
void DrawTextAt(int x, int y, const std::string& txt, int hAlign = 0, int vAlign = 0);
// The factor (at most 1) by which txt, in the current font at the current scale, must shrink to
// be no wider than maxWidth; 1 when it fits (or maxWidth is not positive).
float FitScale(const std::string& txt, int maxWidth);
// DrawTextAt for a box maxWidth wide: a text that does not fit is drawn smaller on both axes and
// aligned on (x, y) by its shrunk size; one that fits is drawn exactly as DrawTextAt draws it. The
// draw scale is the same afterwards.
void DrawTextFit(int x, int y, const std::string& txt, int maxWidth, int hAlign = 0, int vAlign = 0);

// --- Mouse ---
// 1 when the frame-sampled mouse lies strictly inside the rectangle (edges are outside).
int MouseIn(int x, int y, int w, int h);

// --- Text fields ---

// Makes FontTable[(face - 1) * 10 + step] current; a face outside 1..3 or a step outside 0..8
// reads as face 1 or step 0; an empty slot selects the default font.
void SelectFont(int face, int step);
