// sound_meter: measures what the game plays. Renders each song through the game's own player and
// mixer (two seeds each: the title's seed and one other) and reads every effect and instrument
// sample, then prints two tables:
//
//   songs:   integrated and loudest momentary loudness (K-weighted, LUFS), peak (dBFS), the
//            largest share of energy above 8 kHz in any 3-s window, the phrase-to-phrase
//            loudness jump (mean, most), and the step clock as heard: the interval of each step that starts
//            notes, from the last such step less the whole steps between (min, max) and how late each such step sounds against
//            its due time (mean, SD, max); cymbal hits a minute.
//   samples: at the default volumes (effects: master 50 x sound 50; music: 50 x 50, the
//            accompaniment at half), loudness over the sounding part, peak, share above 8 kHz,
//            and the edges: the first sample and the largest step of the first millisecond
//            against the largest step of the whole wave (dB), the energy above 5 kHz in the
//            first 5 ms against all the energy of the first 25 ms (dB), and the level of the last millisecond
//            below the peak (dB). Loudness over the sounding part: 50 ms blocks every 10 ms,
//            those 10 LU below the blocks' mean left out.
//   20 min:  the player's phrase choices over twenty minutes, no sound mixed: phrases, their
//            mean length (s), tracks switched on or off at a phrase start (mean, a minute, most), the share
//            of phrases without drums, melody lines in the pool and how many times the most and the
//            least heard of them runs through, the share of phrases that end a pitched line before
//            it has run out, and the melody's steps in semitones from note to note across a
//            chord change and within a chord (mean, most).
//
//   sound_meter <game folder> [<seconds per song>]
//
// The game folder is the one holding music/ and the effects (assets/Files/247).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "music/pattern.h"
#include "song_render.h"

namespace {

using song_render::OUT_RATE;

constexpr double PI_D = 3.14159265358979323846;

struct Biquad {
  double b0, b1, b2, a1, a2;
  double z1 = 0, z2 = 0;
  double Run(double x) {
    const double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
  }
};

// The loudness weighting: a high shelf of +4 dB above about 1.7 kHz and a high-pass at 38 Hz.
std::array<Biquad, 2> KWeighting(double fs) {
  const double f0 = 1681.974450955533, g = 3.999843853973347, q = 0.7071752369554196;
  const double k = std::tan(PI_D * f0 / fs), vh = std::pow(10.0, g / 20), vb = std::pow(vh, 0.4996667741545416);
  const double a0 = 1 + k / q + k * k;
  Biquad shelf{(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0, 2 * (k * k - 1) / a0,
               (1 - k / q + k * k) / a0};
  const double f1 = 38.13547087602444, q1 = 0.5003270373238773;
  const double k1 = std::tan(PI_D * f1 / fs), c0 = 1 + k1 / q1 + k1 * k1;
  Biquad hp{1, -2, 1, 2 * (k1 * k1 - 1) / c0, (1 - k1 / q1 + k1 * k1) / c0};
  return {shelf, hp};
}

// A 4th-order Butterworth high-pass at `fc` (two sections).
std::array<Biquad, 2> HighPass(double fs, double fc) {
  std::array<Biquad, 2> out{};
  const double qs[2] = {0.5411961001461971, 1.3065629648763766};
  for (int i = 0; i < 2; ++i) {
    const double w = 2 * PI_D * fc / fs, alpha = std::sin(w) / (2 * qs[i]), cw = std::cos(w), a0 = 1 + alpha;
    out[static_cast<size_t>(i)] = Biquad{(1 + cw) / 2 / a0, -(1 + cw) / a0, (1 + cw) / 2 / a0, -2 * cw / a0, (1 - alpha) / a0};
  }
  return out;
}

// Stereo float signal, both channels.
struct Signal {
  std::vector<double> l, r;
  size_t N() const { return l.size(); }
};

// Per-frame K-weighted power summed over the channels.
std::vector<double> KPower(const Signal& s) {
  auto fl = KWeighting(OUT_RATE), fr = KWeighting(OUT_RATE);
  std::vector<double> p(s.N());
  for (size_t i = 0; i < s.N(); ++i) {
    const double a = fl[1].Run(fl[0].Run(s.l[i])), b = fr[1].Run(fr[0].Run(s.r[i]));
    p[i] = a * a + b * b;
  }
  return p;
}

double Lufs(double meanPower) { return meanPower > 0 ? -0.691 + 10 * std::log10(meanPower) : -99; }
double Db(double v) { return v > 0 ? 20 * std::log10(v) : -99; }

double MeanPower(const std::vector<double>& p, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from; i < to && i < p.size(); ++i) sum += p[i];
  return to > from ? sum / double(to - from) : 0;
}

// Gated integrated loudness over [from, to): 400 ms blocks every 100 ms, absolute gate -70 LUFS,
// relative gate 10 LU below the mean of the blocks above the absolute gate.
double Integrated(const std::vector<double>& p, size_t from, size_t to, double* momentaryMax = nullptr) {
  const size_t block = OUT_RATE * 4 / 10, hop = OUT_RATE / 10;
  std::vector<double> blocks;
  for (size_t at = from; at + block <= to; at += hop) blocks.push_back(MeanPower(p, at, at + block));
  if (momentaryMax) {
    *momentaryMax = -99;
    for (double b : blocks) *momentaryMax = std::max(*momentaryMax, Lufs(b));
  }
  auto gatedMean = [&](double gate) {
    double sum = 0;
    int n = 0;
    for (double b : blocks)
      if (Lufs(b) > gate) sum += b, ++n;
    return n ? sum / n : 0.0;
  };
  const double relative = Lufs(gatedMean(-70)) - 10;
  return Lufs(gatedMean(relative));
}

// The largest share of energy above 8 kHz in any 3-s window (windows every second).
double HighShare(const Signal& s, double seconds = 3) {
  auto hl = HighPass(OUT_RATE, 8000), hr = HighPass(OUT_RATE, 8000);
  std::vector<double> hi(s.N()), all(s.N());
  for (size_t i = 0; i < s.N(); ++i) {
    const double a = hr[1].Run(hr[0].Run(s.r[i])), b = hl[1].Run(hl[0].Run(s.l[i]));
    hi[i] = a * a + b * b;
    all[i] = s.l[i] * s.l[i] + s.r[i] * s.r[i];
  }
  const size_t win = std::min(s.N(), static_cast<size_t>(seconds * OUT_RATE));
  double best = 0;
  for (size_t at = 0; at + win <= s.N(); at += OUT_RATE) {
    const double e = MeanPower(all, at, at + win);
    if (e > 1e-12) best = std::max(best, MeanPower(hi, at, at + win) / e);
    if (win == s.N()) break;
  }
  return best;
}

Signal FromStereo(const std::vector<int16_t>& v) {
  Signal s;
  for (size_t i = 0; i + 1 < v.size(); i += 2) s.l.push_back(v[i] / 32768.0), s.r.push_back(v[i + 1] / 32768.0);
  return s;
}

double Peak(const Signal& s) {
  double p = 0;
  for (size_t i = 0; i < s.N(); ++i) p = std::max({p, std::fabs(s.l[i]), std::fabs(s.r[i])});
  return p;
}

double Mean(const std::vector<double>& v) {
  double s = 0;
  for (double x : v) s += x;
  return v.empty() ? 0 : s / double(v.size());
}
double Sd(const std::vector<double>& v) {
  const double m = Mean(v);
  double s = 0;
  for (double x : v) s += (x - m) * (x - m);
  return v.size() > 1 ? std::sqrt(s / double(v.size() - 1)) : 0;
}

void MeasureSong(const std::string& song, int seed, double seconds) {
  song_render::Render r = song_render::RenderSong(song, seed, seconds);
  const Signal s = FromStereo(r.out);
  const std::vector<double> p = KPower(s);
  double momentary = 0;
  const double integrated = Integrated(p, 0, p.size(), &momentary);
  // Phrases: from one phrase start to the next.
  std::vector<size_t> starts;
  for (const auto& st : r.steps)
    if (st.phrase) starts.push_back(static_cast<size_t>(st.ms * OUT_RATE / 1000));
  double jump = 0, last = -99;
  std::vector<double> jumps;
  for (size_t k = 0; k + 1 < starts.size(); ++k) {
    const double l = Integrated(p, starts[k], starts[k + 1]);
    if (k > 0 && l > -70 && last > -70) jumps.push_back(std::fabs(l - last)), jump = std::max(jump, jumps.back());
    last = l;
  }
  // The step clock as heard: when each step's notes start, against when it fell due.
  // A step heard k steps after the last heard one counts as the gap of its own step: the time
  // between the two less k - 1 whole steps.
  std::vector<double> intervals, late;
  const double stepMs = SongState().interval;
  size_t prev = 0;
  bool any = false;
  for (size_t i = 0; i < r.steps.size(); ++i) {
    const auto& st = r.steps[i];
    if (!st.heard) continue;
    late.push_back(st.ms - st.dueMs);
    if (any && i - prev <= 8) intervals.push_back(st.ms - r.steps[prev].ms - double(i - prev - 1) * stepMs);
    prev = i;
    any = true;
  }
  auto [mn, mx] = std::minmax_element(intervals.begin(), intervals.end());
  int crashes = 0;
  for (const auto& n : r.notes) crashes += n.track < 2 && n.pitch == 8;
  std::printf("%-10s %5d %7.1f %7.1f %7.1f %6.1f%% %6.1f %6.1f %5zu %6.1f %6.1f %6.1f %6.1f %6.1f %6.1f\n", song.c_str(), seed, integrated, momentary,
              Db(Peak(s)), 100 * HighShare(s), Mean(jumps), jump, starts.size(), intervals.empty() ? 0 : *mn, intervals.empty() ? 0 : *mx,
              Mean(late), Sd(late), late.empty() ? 0 : *std::max_element(late.begin(), late.end()), crashes * 60 / seconds);
}

// A sample at `gain`, centred with the mixer's equal-power pan.
Signal Centred(const WavData& w, double gain) {
  Signal s;
  const double side = gain * std::sqrt(0.5);
  for (int64_t i = 0; i < w.Frames(); ++i) {
    double v = 0;
    for (int c = 0; c < w.channels; ++c) v += w.samples[static_cast<size_t>(i * w.channels + c)] / 32768.0;
    v /= w.channels;
    s.l.push_back(v * side);
    s.r.push_back(v * side);
  }
  return s;
}

void MeasureSample(const std::string& path, double gain) {
  WavData w;
  if (!LoadWavFile(path, w) || w.Frames() == 0 || w.rate != OUT_RATE) {
    std::printf("%-16s (unreadable or not %d Hz)\n", path.c_str(), OUT_RATE);
    return;
  }
  const Signal s = Centred(w, gain);
  const std::vector<double> p = KPower(s);
  // Over the part that sounds: 50 ms blocks every 10 ms, those 10 LU below the blocks' mean left out.
  std::vector<double> blocks;
  for (size_t at = 0; at < p.size(); at += OUT_RATE / 100) {
    const size_t end = std::min(p.size(), at + OUT_RATE / 20);
    blocks.push_back(MeanPower(p, at, end) * double(end - at) / double(OUT_RATE / 20));
    if (end == p.size()) break;
  }
  const double gate = Lufs(Mean(blocks)) - 10;
  double gated = 0;
  int counted = 0;
  for (double b : blocks)
    if (Lufs(b) > gate) gated += b, ++counted;
  const double sounding = Lufs(counted ? gated / counted : 0);
  // Edges, on the mono wave at full scale.
  std::vector<double> x(static_cast<size_t>(w.Frames()));
  for (size_t i = 0; i < x.size(); ++i) x[i] = s.l[i] / (gain * std::sqrt(0.5));
  double peak = 0, bodyStep = 0, headStep = std::fabs(x[0]);
  for (size_t i = 0; i < x.size(); ++i) {
    peak = std::max(peak, std::fabs(x[i]));
    if (i) bodyStep = std::max(bodyStep, std::fabs(x[i] - x[i - 1]));
    if (i && i < static_cast<size_t>(OUT_RATE / 1000)) headStep = std::max(headStep, std::fabs(x[i] - x[i - 1]));
  }
  auto hp = HighPass(OUT_RATE, 5000);
  std::vector<double> hf(x.size());
  for (size_t i = 0; i < x.size(); ++i) {
    const double v = hp[1].Run(hp[0].Run(x[i]));
    hf[i] = v * v;
  }
  const size_t ms = OUT_RATE / 1000;
  std::vector<double> x2(x.size());
  for (size_t i = 0; i < x.size(); ++i) x2[i] = x[i] * x[i];
  const double click = 10 * std::log10(std::max(1e-20, MeanPower(hf, 0, 5 * ms)) / std::max(1e-20, MeanPower(x2, 0, 25 * ms)));
  double tail = 0;
  for (size_t i = x.size() > ms ? x.size() - ms : 0; i < x.size(); ++i) tail = std::max(tail, std::fabs(x[i]));
  const std::string name = path.substr(path.find_last_of('/') + 1);
  std::printf("%-16s %6.2f %7.1f %7.1f %6.1f%% %7.1f %7.1f %7.1f %7.1f\n", name.c_str(), double(x.size()) / OUT_RATE, sounding,
              Db(peak), 100 * HighShare(s, std::min(3.0, double(x.size()) / OUT_RATE)), Db(std::fabs(x[0]) / peak) , Db(headStep / std::max(1e-9, bodyStep)),
              click, Db(tail / peak));
}

// The churn of a song over twenty minutes, from the player's own phrase choices (no sound is
// mixed): tracks switched on or off at a phrase start (mean, max), the phrase length, how often
// each melody line is heard (phrases in which it plays: most and fewest of the pool), the share
// of phrases that end a pitched line before it has run out, and the melody's steps between
// neighbouring notes across a chord change against those within a chord (mean, max semitones).
void MeasurePhrases(const std::string& song, int seed, double seconds) {
  LoadSong(song, seed, 125);
  SongStateData& st = SongState();
  const int patterns = static_cast<int>(seconds * 1000 / (PATTERN_STEPS * st.interval));
  int phrases = 0, switched = 0, mostSwitched = 0, cut = 0, drumless = 0;
  double phraseSteps = 0;
  bool was[TRACKS] = {}, first = true;
  std::map<std::string, int> heard;
  for (int k = 1; k <= st.sections[SECTION_MELODY].count; ++k) heard[st.sections[SECTION_MELODY].lines[k]] = 0;
  std::vector<double> changeSteps, chordSteps;
  double lastPitch = 0, lastChord = 0;
  auto startPhrase = [&] {
    ++phrases;
    const int steps = static_cast<int>(st.chordLine.size() / 4) * PATTERN_STEPS;
    phraseSteps += steps;
    bool plays[TRACKS];
    int n = 0;
    for (int t = 0; t < TRACKS; ++t) {
      bool sounding = false;
      for (char c : st.trackLines[t]) sounding |= t < 2 ? (c >= '1' && c <= '8') : NoteRatio(c) != 0;
      plays[t] = st.muted[t] == 0 && sounding;
      if (!first && plays[t] != was[t]) ++n;
      was[t] = plays[t];
    }
    drumless += !plays[0] && !plays[1];
    if (!first) switched += n, mostSwitched = std::max(mostSwitched, n);
    first = false;
    bool cutHere = false;
    for (int t = 2; t < TRACKS; ++t)
      if (!st.trackLines[t].empty() && steps % static_cast<int>(st.trackLines[t].size()) != 0 && plays[t]) cutHere = true;
    cut += cutHere;
    if (plays[3] && !st.trackLines[3].empty()) {
      // The melody line as the pool holds it (the stretch undone); heard as often as it runs
      // through in the phrase.
      for (auto& [line, count] : heard)
        if (line == st.trackLines[3] || StretchLine(line) == st.trackLines[3] || StretchLine(StretchLine(line)) == st.trackLines[3])
          count += std::max(1, steps / static_cast<int>(st.trackLines[3].size()));
    }
  };
  for (int p = 0; p < patterns; ++p) {
    if (p > 0) NextPattern();
    if (st.bar == 1) startPhrase();
    for (int s = 0; s < PATTERN_STEPS; ++s) {
      const size_t pos = static_cast<size_t>(s / 16 + (st.bar - 1) * 4);
      const float chord = pos < st.chordLine.size() ? NoteRatio(st.chordLine[pos]) : 0;
      const float v = st.pattern[3][s];
      if (v == 0 || chord == 0) continue;
      const double pitch = 12 * std::log2(double(v) * chord);
      if (lastChord != 0) (chord != lastChord ? changeSteps : chordSteps).push_back(std::fabs(pitch - lastPitch));
      lastPitch = pitch;
      lastChord = chord;
    }
  }
  int most = 0, fewest = 1 << 30;
  for (auto& [line, count] : heard) most = std::max(most, count), fewest = std::min(fewest, count);
  auto mx = [](const std::vector<double>& v) { return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()); };
  const double minutes = phraseSteps * st.interval / 60000;
  std::printf("%-10s %5d %5d %6.1f %6.2f %6.1f %5d %6.1f%% %6zu %5d %5d %6.1f%% %6.1f %5.0f %6.1f %5.0f\n", song.c_str(), seed, phrases,
              phraseSteps * st.interval / 1000 / std::max(1, phrases), double(switched) / std::max(1, phrases - 1),
              switched / std::max(1e-9, minutes), mostSwitched,
              100.0 * drumless / std::max(1, phrases), heard.size(), most, fewest, 100.0 * cut / std::max(1, phrases), Mean(changeSteps),
              mx(changeSteps), Mean(chordSteps), mx(chordSteps));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: sound_meter <game folder> [<seconds per song>]\n");
    return 2;
  }
  const std::string folder = argv[1];
  const double seconds = argc > 2 ? std::atof(argv[2]) : 90;
  MediaInit(MEDIA_HEADLESS);
  SetDefaultSettings();
  if (!ChangeDir(folder)) {
    std::fprintf(stderr, "sound_meter: no folder %s\n", folder.c_str());
    return 1;
  }
  LoadMusicSamples();
  std::printf("%-10s %5s %7s %7s %7s %7s %6s %6s %5s %6s %6s %6s %6s %6s %7s\n", "song", "seed", "LUFS-I", "LUFS-M", "peak", ">8k/3s",
              "jump", "jumpMx", "phr", "ivMin", "ivMax", "late", "lateSD", "lateMx", "crash/m");
  struct Song {
    const char* name;
    int seeds[2];
  } const songs[] = {{"BrevoPlat", {17, 4711}}, {"Mario", {1, 4711}}, {"Pipeline", {64, 4711}}};
  for (const Song& s : songs)
    for (int seed : s.seeds)
      if (SongFileExists(s.name)) MeasureSong(s.name, seed, seconds);

  const double churnSeconds = 20 * 60;
  std::printf("\n%-10s %5s %5s %6s %6s %6s %5s %7s %6s %5s %5s %7s %6s %5s %6s %5s\n", "20 min", "seed", "phr", "phr s", "switch", "sw/min",
              "swMx", "nodrum", "lines", "most", "least", "cut", "chgIv", "chgMx", "inIv", "inMx");
  for (const Song& s : songs)
    for (int seed : s.seeds)
      if (SongFileExists(s.name)) MeasurePhrases(s.name, seed, churnSeconds);

  const double defaultGain = 0.25;  // 50 x 50 / 100 / 100
  std::printf("\n%-16s %6s %7s %7s %7s %7s %7s %7s %7s\n", "sample", "sec", "LUFS", "peak", ">8k", "first", "head", "clickHF",
              "tail");
  for (int n = 1; n <= 11; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.wav", n);
    MeasureSample(name, defaultGain);
  }
  for (int kit = 1; kit <= 2; ++kit)
    for (int n = 1; n <= 8; ++n) MeasureSample("music/d" + std::to_string(kit) + "-" + std::to_string(n) + ".wav", defaultGain);
  for (const char* ins : {"bass", "lead", "accompany"})
    for (int n = 1; n <= INSTRUMENT_VARIANTS; ++n) {
      const std::string path = "music/" + std::string(ins) + std::to_string(n) + ".wav";
      if (FileType(path) == PATH_FILE) MeasureSample(path, std::string(ins) == "accompany" ? defaultGain / 2 : defaultGain);
    }
  MediaShutdown();
  return 0;
}
