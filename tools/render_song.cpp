// render_song: plays a song through the game's own music player on the headless back end (fake
// clock, 60 frames a second, default volumes) and mixes what it plays into a WAV file with the
// game's software mixer, so a song can be heard and measured without a sound device. Optionally
// draws a piano roll of the first phrases as a PNG: drums at the bottom (kit A orange, kit B
// yellow), bass blue, melody red, accompaniment green; thin grey lines at chord changes, white
// lines at phrase starts, dark lines at pattern starts, faint lines at every C.
//
//   render_song <game folder> <song> <seed> <seconds> <out.wav> [<roll.png> [<phrases>]]
//
// The game folder is the one that holds music/ (assets/Files/247 or build/game/Files/247).
// Prints the peak and RMS of the render in dBFS. Exit status: 0 done, 1 no such song or a file
// could not be written, 2 bad usage.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "media/png_io.h"
#include "song_render.h"

namespace {

using namespace song_render;


bool WriteWav(const std::string& path, const std::vector<int16_t>& s) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  auto u32 = [&](uint32_t v) { uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; std::fwrite(b, 1, 4, f); };
  auto u16 = [&](uint16_t v) { uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)}; std::fwrite(b, 1, 2, f); };
  const uint32_t bytes = uint32_t(s.size() * 2);
  std::fwrite("RIFF", 1, 4, f), u32(36 + bytes), std::fwrite("WAVE", 1, 4, f);
  std::fwrite("fmt ", 1, 4, f), u32(16), u16(1), u16(2), u32(OUT_RATE), u32(OUT_RATE * 4), u16(4), u16(16);
  std::fwrite("data", 1, 4, f), u32(bytes);
  for (int16_t v : s) u16(uint16_t(v));
  return std::fclose(f) == 0;
}

bool DrawRoll(const std::string& path, const std::vector<Note>& notes, const std::vector<StepMark>& steps) {
  constexpr int PX = 3, ROW = 5, LOW = 28, HIGH = 100, LEFT = 4, TOP = 4;
  const int pitchRows = HIGH - LOW, drumRows = 16;
  const int w = LEFT * 2 + static_cast<int>(steps.size()) * PX;
  const int h = TOP * 2 + (pitchRows + drumRows + 1) * ROW;
  std::vector<uint32_t> px(size_t(w) * h, 0xFF101018u);
  auto fill = [&](int x0, int y0, int x1, int y1, uint32_t c) {
    for (int y = std::max(0, y0); y < std::min(h, y1); ++y)
      for (int x = std::max(0, x0); x < std::min(w, x1); ++x) px[size_t(y) * w + x] = c;
  };
  for (int p = LOW; p < HIGH; ++p)
    if (p % 12 == 0) fill(0, TOP + (HIGH - 1 - p) * ROW + ROW / 2, w, TOP + (HIGH - 1 - p) * ROW + ROW / 2 + 1, 0xFF262633u);
  const int drumTop = TOP + (pitchRows + 1) * ROW;
  fill(0, drumTop - ROW / 2 - 1, w, drumTop - ROW / 2, 0xFF3A3A4Au);
  for (size_t s = 0; s < steps.size(); ++s) {
    const int x = LEFT + static_cast<int>(s) * PX;
    if (steps[s].phrase) fill(x, 0, x + 2, h, 0xFFFFFFFFu);
    else if (steps[s].pattern) fill(x, 0, x + 1, h, 0xFF50505Au);
    else if (s > 0 && steps[s].chord != steps[s - 1].chord) fill(x, 0, x + 1, h, 0xFF8A8A8Au);
  }
  const uint32_t colour[TRACK_COUNT] = {0xFFFF9A2Eu, 0xFFFFE14Au, 0xFF4A8CFFu, 0xFFFF4A5Au, 0xFF4AE07Au};
  auto xOf = [&](double ms) {
    auto it = std::upper_bound(steps.begin(), steps.end(), ms, [](double m, const StepMark& st) { return m < st.ms; });
    const size_t i = size_t(it - steps.begin());
    if (i == 0) return LEFT;
    const StepMark& a = steps[i - 1];
    const double next = i < steps.size() ? steps[i].ms : a.ms + 62;
    return LEFT + static_cast<int>((double(i - 1) + (ms - a.ms) / std::max(1.0, next - a.ms)) * PX);
  };
  if (steps.empty()) return false;
  const double lastMs = steps.back().ms + 62;
  for (const Note& n : notes) {
    if (n.startMs >= lastMs) continue;
    const int x0 = xOf(n.startMs), x1 = std::max(x0 + 2, xOf(std::min(n.endMs, lastMs)));
    if (n.track < 2) {
      const int row = (n.track == 0 ? 0 : 8) + static_cast<int>(n.pitch) - 1;
      const int y = drumTop + row * ROW;
      fill(x0, y, x0 + PX, y + ROW - 1, colour[n.track]);
    } else {
      const int row = HIGH - 1 - static_cast<int>(std::lround(n.pitch));
      const int y = TOP + row * ROW;
      fill(x0, y, x1 - 1, y + ROW - 1, colour[n.track]);
    }
  }
  return WritePngArgb(path, px.data(), w, h, 9);
}

double Db(double v) { return 20 * std::log10(std::max(v, 1e-9)); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6) {
    std::fprintf(stderr, "usage: render_song <game folder> <song> <seed> <seconds> <out.wav> [<roll.png> [<phrases>]]\n");
    return 2;
  }
  const std::string folder = argv[1], song = argv[2], wavPath = argv[5], rollPath = argc > 6 ? argv[6] : "";
  const int seed = std::atoi(argv[3]);
  const double seconds = std::atof(argv[4]);
  const int rollPhrases = argc > 7 ? std::max(1, std::atoi(argv[7])) : 3;
  // Output paths are taken before the game folder becomes current.
  auto absolute = [](const std::string& p) { return p.empty() || p[0] == '/' ? p : CurrentDir() + "/" + p; };
  const std::string wavOut = absolute(wavPath), rollOut = absolute(rollPath);

  MediaInit(MEDIA_HEADLESS);
  SetDefaultSettings();
  if (!ChangeDir(folder) || !SongFileExists(song)) {
    std::fprintf(stderr, "render_song: no song %s/music/%s.ini\n", folder.c_str(), song.c_str());
    return 1;
  }
  LoadMusicSamples();
  Render r = RenderSong(song, seed, seconds);
  // The roll shows the first phrases only.
  std::vector<StepMark> steps;
  int phrases = 0;
  for (const StepMark& st : r.steps) {
    if (st.phrase) ++phrases;
    if (phrases > rollPhrases) break;
    steps.push_back(st);
  }

  double peak = 0, sum = 0;
  for (int16_t v : r.out) {
    const double x = v / 32768.0;
    peak = std::max(peak, std::fabs(x));
    sum += x * x;
  }
  const double rms = std::sqrt(sum / std::max<size_t>(1, r.out.size()));
  bool ok = WriteWav(wavOut, r.out);
  if (!rollOut.empty()) ok &= DrawRoll(rollOut, r.notes, steps);
  std::printf("%s seed %d, %.1f s: peak %.1f dBFS, RMS %.1f dBFS, %zu notes\n", song.c_str(), seed, seconds, Db(peak), Db(rms),
              r.notes.size());
  MediaShutdown();
  return ok ? 0 : 1;
}
