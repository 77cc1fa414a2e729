// The sprite benchmark: the engine test's scene (striped background, two logos at scale 1.5 and N
// black 16 x 16 sprites at scale 2, turned at random, alpha blended, nearest filtering) on a
// 1280 x 960 logical screen in an 800 x 600 window, drawn by
//   - the own GL renderer through the media layer (display choice 0), each sprite drawn as the
//     rectangle of its ink (15 x 15 of the icon's 16 x 16),
//   - SDL_Renderer with batching on (as our own SDL back end runs it), one SDL_RenderCopyEx per
//     sprite (reference),
//   - one static GL buffer of the same ink-trimmed quads, one draw call per frame (reference: the
//     limit of the own renderer's way of drawing),
//   - one static GL buffer of whole 16 x 16 quads (reference: what the trimming gains).
// All four stay open and are probed in turns. For each it reports the largest N (to within 100)
// that holds 58 frames per second without vsync and the milliseconds per frame at N = 0, 2000,
// 5000, 10000 and 20000, as medians of --runs runs (5 unless given), and the ratios of the N.
// Then Google Benchmark measures building the vertices on the CPU.
//
// Needs an X display for the frame study (scripts/bench.sh starts Xvfb); without one only the CPU
// benchmarks run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "media/display_state.h"
#include "media/media.h"
#include "media/png_io.h"
#include "media/render_batch.h"
#include "media/render_reference.h"

namespace {

constexpr int MAX_SPRITES = 20000;
constexpr double TARGET_FPS = 58;
constexpr int FRAMES_PER_PROBE = 24;
constexpr int COARSE_STEP = 500, FINE_STEP = 100;  // sprites
const int FIXED_COUNTS[] = {0, 2000, 5000, 10000, 20000};

BenchScene::Picture MakePicture(int w, int h, const std::function<uint32_t(int, int)>& rgba) {
  BenchScene::Picture p;
  p.w = w;
  p.h = h;
  p.rgba.resize(size_t(w) * size_t(h) * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t c = rgba(x, y);
      std::memcpy(&p.rgba[(size_t(y) * size_t(w) + size_t(x)) * 4], &c, 4);
    }
  return p;
}

BenchScene MakeScene() {
  BenchScene s;
  // Bytes in memory order R, G, B, A (little-endian words 0xAABBGGRR).
  s.icon = MakePicture(16, 16, [](int x, int y) {
    const int dx = x - 8, dy = y - 8;
    return dx * dx + dy * dy < 56 ? 0xFF30A0F0u : 0x00000000u;
  });
  s.logoA = MakePicture(256, 96, [](int x, int y) { return 0xFF000000u | uint32_t(x) << 8 | uint32_t(y * 2); });
  s.logoB = MakePicture(192, 128, [](int x, int y) { return ((x / 16 + y / 16) % 2 ? 0xFFFFFFFFu : 0x80406080u); });
  std::mt19937 rng(247);
  std::uniform_int_distribution<int> px(1, s.screenW), py(1, s.screenH), rot(1, 360);
  for (int i = 0; i < MAX_SPRITES; ++i) {
    s.x.push_back(float(px(rng)));
    s.y.push_back(float(py(rng)));
    s.rotation.push_back(float(rot(rng)));
  }
  return s;
}

double Now() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The own renderer, through the media layer.
class OwnRenderer final : public ReferenceRenderer {
 public:
  explicit OwnRenderer(const BenchScene& s) : scene_(s) {}
  bool Open() {
    MediaInit(MEDIA_REAL);
    SelectDisplayDriver(DISPLAY_OPENGL);
    if (!OpenDisplay(scene_.realW, scene_.realH, 0, 60)) return false;
    SetVirtualResolution(scene_.screenW, scene_.screenH);
    const std::string dir = std::filesystem::temp_directory_path().string();
    AutoMidHandle(true);
    icon_ = LoadAnimImage(Save(dir + "/bench_icons.png", scene_.icon), 16, 16, 0, 1, IMAGE_MASKED);
    logoA_ = LoadImage(Save(dir + "/bench_logo_a.png", scene_.logoA), IMAGE_MASKED | IMAGE_FILTERED);
    logoB_ = LoadImage(Save(dir + "/bench_logo_b.png", scene_.logoB), IMAGE_MASKED | IMAGE_FILTERED);
    AutoMidHandle(false);
    return icon_ && logoA_ && logoB_;
  }
  ~OwnRenderer() override { MediaShutdown(); }
  void Activate() override { Gfx().renderer->Activate(); }

  double MsPerFrame(int n, int frames) override {
    const double start = Now();
    for (int f = 0; f < frames; ++f) {
      ClearScreen();
      SetBlend(BLEND_ALPHA);
      SetAlpha(1);
      SetScale(1, 1);
      SetRotation(-45);
      float blue = 50;
      for (int i = 0; i <= scene_.screenH; i += 10) {
        blue += 0.5f;
        SetColour(0, 0, int(blue));
        DrawRect(-100, float(3 * i), float(scene_.screenW + 1800), 30);
      }
      SetRotation(0);
      SetColour(255, 255, 255);
      SetScale(1.5f, 1.5f);
      DrawImage(logoA_, 0.3f * float(scene_.screenW), 0.3f * float(scene_.screenH), 0);
      DrawImage(logoB_, 0.7f * float(scene_.screenW), 0.7f * float(scene_.screenH), 0);
      SetColour(0, 0, 0);
      SetScale(2, 2);
      for (int j = 0; j < n; ++j) {
        SetRotation(scene_.rotation[size_t(j)]);
        DrawImage(icon_, scene_.x[size_t(j)], scene_.y[size_t(j)], 0);
      }
      Flip(0);
    }
    return (Now() - start) / frames;
  }

 private:
  static std::string Save(const std::string& path, const BenchScene::Picture& p) {
    std::vector<uint32_t> argb(size_t(p.w) * size_t(p.h));
    for (size_t i = 0; i < argb.size(); ++i) {
      const uint8_t* c = &p.rgba[i * 4];
      argb[i] = uint32_t(c[3]) << 24 | uint32_t(c[0]) << 16 | uint32_t(c[1]) << 8 | c[2];
    }
    WritePngArgb(path, argb.data(), p.w, p.h, 1);
    return path;
  }

  const BenchScene& scene_;
  int icon_ = 0, logoA_ = 0, logoB_ = 0;
};

struct Result {
  int limit = 0;
  double ms[std::size(FIXED_COUNTS)] = {};
  double cpuMs[std::size(FIXED_COUNTS)] = {};  // process CPU time (all threads, llvmpipe's too)
};

double ProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

// True when n sprites hold the target rate; one noisy probe is not the end.
bool Holds(ReferenceRenderer& r, int n) {
  r.Activate();
  r.MsPerFrame(n, 3);
  double ms = r.MsPerFrame(n, FRAMES_PER_PROBE);
  if (1000.0 / ms < TARGET_FPS) ms = std::min(ms, r.MsPerFrame(n, FRAMES_PER_PROBE));
  return 1000.0 / ms >= TARGET_FPS;
}

// own, batched SDL_Renderer, static buffer of trimmed quads, static buffer of whole quads
constexpr int RENDERERS = 4;
enum { OWN = 0, SDL_BATCHED = 1, STATIC_TRIMMED = 2, STATIC_WHOLE = 3 };

// All four renderers, open at once, measured in turns: at each N every renderer is probed
// within a second or two of the others, so the machine's slow spells (it is shared) fall on all
// of them alike instead of on whichever happened to be measured then.
void MeasureInTurns(ReferenceRenderer* const (&r)[RENDERERS], Result (&res)[RENDERERS]) {
  for (ReferenceRenderer* each : r) {
    each->Activate();
    each->MsPerFrame(0, 5);  // warm up: textures, buffers, shader variants
  }
  bool alive[RENDERERS] = {true, true, true, true};
  for (int n = COARSE_STEP; n <= MAX_SPRITES; n += COARSE_STEP) {
    bool any = false;
    for (int k = 0; k < RENDERERS; ++k) {
      if (!alive[k]) continue;
      alive[k] = Holds(*r[k], n);
      if (alive[k]) res[k].limit = n;
      any = any || alive[k];
    }
    if (!any) break;
  }
  // Then finer steps inside each one's last coarse step, so one coarse step is not a quarter of
  // the answer.
  int coarse[RENDERERS];
  for (int k = 0; k < RENDERERS; ++k) {
    coarse[k] = res[k].limit;
    alive[k] = true;
  }
  for (int step = FINE_STEP; step < COARSE_STEP; step += FINE_STEP)
    for (int k = 0; k < RENDERERS; ++k) {
      const int n = coarse[k] + step;
      if (!alive[k] || n > MAX_SPRITES) continue;
      alive[k] = Holds(*r[k], n);
      if (alive[k]) res[k].limit = n;
    }
  for (size_t i = 0; i < std::size(FIXED_COUNTS); ++i)
    for (int k = 0; k < RENDERERS; ++k) {
      r[k]->Activate();
      r[k]->MsPerFrame(FIXED_COUNTS[i], 2);
      const double cpu = ProcessCpuMs();
      res[k].ms[i] = r[k]->MsPerFrame(FIXED_COUNTS[i], FRAMES_PER_PROBE / 2);
      res[k].cpuMs[i] = (ProcessCpuMs() - cpu) / (FRAMES_PER_PROBE / 2);
    }
}

template <class T>
T Median(std::vector<T> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void FrameStudy(int runs) {
  const BenchScene scene = MakeScene();
  const char* names[RENDERERS] = {"own GL renderer (choice 0)", "SDL_Renderer, batched", "static buffer, ink quads",
                                  "static buffer, whole quads"};
  std::vector<Result> results[RENDERERS];
  // Own N over each reference's N, per run.
  std::vector<double> ratio[RENDERERS];
  for (int run = 0; run < runs; ++run) {
    // The own renderer owns the media layer (and SDL): opened first, closed last.
    auto own = std::make_unique<OwnRenderer>(scene);
    if (!own->Open()) {
      std::printf("%s: could not open\n", names[OWN]);
      return;
    }
    std::unique_ptr<ReferenceRenderer> refs[RENDERERS];
    refs[SDL_BATCHED] = OpenReferenceRenderer(REFERENCE_SDL_RENDERER, scene);
    refs[STATIC_TRIMMED] = OpenReferenceRenderer(REFERENCE_STATIC_TRIMMED, scene);
    refs[STATIC_WHOLE] = OpenReferenceRenderer(REFERENCE_STATIC_BUFFER, scene);
    if (!refs[SDL_BATCHED] || !refs[STATIC_TRIMMED] || !refs[STATIC_WHOLE]) {
      std::printf("the reference renderers could not open\n");
      return;
    }
    Result res[RENDERERS];
    MeasureInTurns({own.get(), refs[SDL_BATCHED].get(), refs[STATIC_TRIMMED].get(), refs[STATIC_WHOLE].get()}, res);
    for (int k = RENDERERS - 1; k > 0; --k) refs[k].reset();
    own.reset();
    for (int k = 0; k < RENDERERS; ++k) {
      results[k].push_back(res[k]);
      if (k != OWN && res[k].limit > 0) ratio[k].push_back(double(res[OWN].limit) / res[k].limit);
    }
    std::printf("run %d  N = %5d own, %5d batched SDL_Renderer, %5d static ink quads, %5d static whole quads\n",
                run + 1, res[OWN].limit, res[SDL_BATCHED].limit, res[STATIC_TRIMMED].limit, res[STATIC_WHOLE].limit);
    std::fflush(stdout);
  }
  std::printf("\nSprite scene, 800 x 600 window, 1280 x 960 logical, no vsync; medians of %d interleaved runs\n", runs);
  std::printf("%-28s %8s %8s %8s %8s %8s %8s\n", "renderer", "N@58fps", "ms@0", "ms@2000", "ms@5000", "ms@10000",
              "ms@20000");
  int limit[RENDERERS] = {};
  for (int k = 0; k < RENDERERS; ++k) {
    if (results[k].empty()) continue;
    std::vector<int> limits;
    for (const Result& r : results[k]) limits.push_back(r.limit);
    limit[k] = Median(limits);
    std::printf("%-28s %8d", names[k], limit[k]);
    for (size_t i = 0; i < std::size(FIXED_COUNTS); ++i) {
      std::vector<double> ms;
      for (const Result& r : results[k]) ms.push_back(r.ms[i]);
      std::printf(" %8.2f", Median(ms));
    }
    std::printf("\n");
  }
  // Wall time suffers when other work shares the machine; the process's CPU time much less so.
  std::printf("%-28s %8s %8s %8s %8s %8s %8s\n", "CPU ms per frame", "", "@0", "@2000", "@5000", "@10000", "@20000");
  for (int k = 0; k < RENDERERS; ++k) {
    if (results[k].empty()) continue;
    std::printf("%-28s %8s", names[k], "");
    for (size_t i = 0; i < std::size(FIXED_COUNTS); ++i) {
      std::vector<double> ms;
      for (const Result& r : results[k]) ms.push_back(r.cpuMs[i]);
      std::printf(" %8.2f", Median(ms));
    }
    std::printf("\n");
  }
  if (limit[SDL_BATCHED] > 0 && limit[STATIC_TRIMMED] > 0 && limit[STATIC_WHOLE] > 0) {
    std::printf("own / static ink quads: %.0f %% (target >= 95 %%); own / batched SDL_Renderer: %.2f x (target >= "
                "1.25); own / static whole quads: %.0f %%\n",
                100.0 * limit[OWN] / limit[STATIC_TRIMMED], double(limit[OWN]) / limit[SDL_BATCHED],
                100.0 * limit[OWN] / limit[STATIC_WHOLE]);
  }
  if (!ratio[SDL_BATCHED].empty() && !ratio[STATIC_TRIMMED].empty() && !ratio[STATIC_WHOLE].empty())
    std::printf("the same, median of the runs' own ratios: %.0f %%; %.2f x; %.0f %%\n\n",
                100.0 * Median(ratio[STATIC_TRIMMED]), Median(ratio[SDL_BATCHED]), 100.0 * Median(ratio[STATIC_WHOLE]));
}

// --probe=N: milliseconds per frame at N sprites, the own renderer and the static buffer of the
// same ink quads taking turns, for quick comparisons on a busy machine.
void Probe(int n) {
  const BenchScene scene = MakeScene();
  for (int round = 0; round < 4; ++round) {
    double ms[2] = {0, 0}, cpuMs[2] = {0, 0};
    for (int k = 0; k < 2; ++k) {
      std::unique_ptr<ReferenceRenderer> r;
      if (k == 0) {
        auto own = std::make_unique<OwnRenderer>(scene);
        if (own->Open()) r = std::move(own);
      } else {
        MediaInit(MEDIA_REAL);
        r = OpenReferenceRenderer(REFERENCE_STATIC_TRIMMED, scene);
      }
      if (!r) return;
      r->MsPerFrame(n, 5);
      const double cpu = ProcessCpuMs();
      ms[k] = r->MsPerFrame(n, FRAMES_PER_PROBE);
      cpuMs[k] = (ProcessCpuMs() - cpu) / FRAMES_PER_PROBE;
      r.reset();
      MediaShutdown();
    }
    std::printf("N = %d: own %.2f ms (CPU %.2f), static ink quads %.2f ms (CPU %.2f)\n", n, ms[0], cpuMs[0], ms[1],
                cpuMs[1]);
  }
}

// Building the vertices of sprites on the CPU: the tessellator into the frame batch.
void BM_TessellateSprites(benchmark::State& state) {
  const BenchScene scene = MakeScene();
  RenderBatch batch;
  TexSource tex;
  const int n = int(state.range(0));
  for (auto _ : state) {
    batch.Reset();
    QuadGeom g;
    g.w = g.h = 16;
    g.hx = g.hy = 8;
    g.sx = g.sy = 2;
    g.vx = g.vy = 0.625f;
    QuadPaint p;
    p.r = p.g = p.b = 0;
    for (int j = 0; j < n; ++j) {
      const float rad = scene.rotation[size_t(j)] * 3.14159265f / 180;
      g.cosr = std::cos(rad);
      g.sinr = std::sin(rad);
      g.x = scene.x[size_t(j)];
      g.y = scene.y[size_t(j)];
      TessellateQuad(batch.AddQuad(&tex, BLEND_ALPHA), g, p);
    }
    benchmark::DoNotOptimize(batch.Vertices());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_TessellateSprites)->Arg(1000)->Arg(20000);

// The same through the media layer's calls (SetRotation + DrawImage per sprite), as the engine
// test makes them; the batch is emptied without drawing, so only the CPU side is timed.
void BM_DrawImageCalls(benchmark::State& state) {
  if (!std::getenv("DISPLAY")) {
    state.SkipWithError("no X display");
    return;
  }
  const BenchScene scene = MakeScene();
  OwnRenderer own(scene);
  if (!own.Open()) {
    state.SkipWithError("no OpenGL display");
    return;
  }
  const int n = int(state.range(0));
  SetColour(0, 0, 0);
  SetBlend(BLEND_ALPHA);
  SetScale(2, 2);
  const int icon = 1;  // the first image the renderer loaded
  for (auto _ : state) {
    for (int j = 0; j < n; ++j) {
      SetRotation(scene.rotation[size_t(j)]);
      DrawImage(icon, scene.x[size_t(j)], scene.y[size_t(j)], 0);
    }
    Gfx().batch.Reset();
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_DrawImageCalls)->Arg(1000);

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  int probe = -1;
  bool frames = true;
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--runs=", 7) == 0)
      runs = std::max(1, std::atoi(argv[i] + 7));
    else if (std::strncmp(argv[i], "--probe=", 8) == 0)
      probe = std::atoi(argv[i] + 8);
    else if (std::strcmp(argv[i], "--no-frames") == 0)
      frames = false;
    else
      rest.push_back(argv[i]);
  }
  if (probe >= 0) {
    Probe(std::min(probe, MAX_SPRITES));
    return 0;
  }
  if (frames && std::getenv("DISPLAY")) FrameStudy(runs);
  int restCount = int(rest.size());
  benchmark::Initialize(&restCount, rest.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
