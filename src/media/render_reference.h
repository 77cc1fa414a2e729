// Reference renderers for the sprite benchmark (bench/sprite_bench.cpp), kept beside the real
// back ends because only the media layer may talk to SDL and GL. All draw the engine test's
// scene, so the benchmark can set the own renderer against them in the same run:
//   REFERENCE_SDL_RENDERER   SDL_Renderer ("opengl" driver, batching on as in our own SDL back
//                            end), one SDL_RenderCopyEx per sprite;
//   REFERENCE_STATIC_BUFFER  every vertex uploaded once into one GL buffer, one draw call a
//                            frame, each sprite its whole 16 x 16 quad: what the machine can fill;
//   REFERENCE_STATIC_TRIMMED the same with each sprite only the rectangle of its ink, as the own
//                            renderer draws it: the limit of that way of drawing.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// The engine test's scene on a logical screen, with the pictures it draws (RGBA rows).
struct BenchScene {
  int realW = 800, realH = 600;
  int screenW = 1280, screenH = 960;
  struct Picture {
    int w = 0, h = 0;
    std::vector<uint8_t> rgba;
  } icon, logoA, logoB;
  std::vector<float> x, y, rotation;  // per sprite: centre (logical) and degrees
};

enum ReferenceKind { REFERENCE_SDL_RENDERER, REFERENCE_STATIC_BUFFER, REFERENCE_STATIC_TRIMMED };

class ReferenceRenderer {
 public:
  virtual ~ReferenceRenderer() = default;
  // Draws and presents `frames` frames of n sprites without vsync; milliseconds per frame.
  virtual double MsPerFrame(int n, int frames) = 0;
  // Raises the window and makes its context current, so that several renderers can stay open
  // and take turns (each probe then sees the machine as the others saw it a moment before).
  virtual void Activate() = 0;
};

// Opens the reference's own window; nullptr when it cannot.
std::unique_ptr<ReferenceRenderer> OpenReferenceRenderer(ReferenceKind kind, const BenchScene& scene);
