// gen_assets: draws every image and synthesises every sound effect that the engine and the game
// load, into <root>/Common/ and <root>/247/ (root defaults to assets/Files).
//
//   gen_assets [root] [--sheet contact.png] [--mockup level.png] [--icons folder]
//
// --icons also draws the desktop icon in the usual sizes, as <folder>/<N>x<N>/plonko-elongo.png.
//
// Everything is reproducible: fixed seeds, no clock, PNGs without time chunks, so two runs give
// byte-identical files (the asset test relies on this). The drawing is a tiny 2D raster library:
// shapes are signed-distance functions painted onto a supersampled canvas and box-filtered down,
// which gives anti-aliased edges, outlines (a shape grown by the outline width) and shading
// (paints are functions of position). Sounds are additive/subtractive synthesis written as
// 16-bit mono PCM WAV, each normalised to a common loudness with headroom below full scale.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "gen_assets/makers.h"
#include "gen_assets/walker.h"

using namespace art;

namespace {


bool Save(const std::string& path, const Image& img) {
  if (WritePng(path, img)) return true;
  std::fprintf(stderr, "gen_assets: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::string root = "assets/Files", sheetPath, mockPath, iconsPath;
  for (int i = 1; i < argc; i++) {
    std::string arg = argv[i];
    if (arg == "--sheet" && i + 1 < argc) sheetPath = argv[++i];
    else if (arg == "--mockup" && i + 1 < argc) mockPath = argv[++i];
    else if (arg == "--icons" && i + 1 < argc) iconsPath = argv[++i];
    else if (arg.size() && arg[0] != '-') root = arg;
    else {
      std::fprintf(stderr, "usage: gen_assets [root] [--sheet file.png] [--mockup file.png] [--icons folder]\n");
      return 2;
    }
  }
  const std::string common = root + "/Common/", game = root + "/247/";
  Assets a;
  a.icons = MakeIcons();
  a.badges = MakeBadges();
  a.engineLogo = MakeEngineLogo();
  a.siteLogo = MakeSiteLogo();
  a.bg = MakeBg();
  MakePlonko(a.plonko, a.hats);
  a.grid = MakeGrid();
  Image boom = MakeBoom();
  a.boom.img = boom;
  a.spurt = MakeSpurt();
  a.gameLogo = MakeGameLogo();
  a.bits = MakeBits();
  a.ahat = HatIcon(16, 0.6f, 7.6f, 10.2f, 1.0f);

  bool ok = true;
  ok &= Save(common + "icons.png", a.icons.img);
    ok &= Save(common + "logo.png", a.engineLogo);
  ok &= Save(common + "Kelvaro.png", a.siteLogo);
  ok &= Save(game + "bg.png", a.bg.img);
  ok &= Save(game + "plonko.png", a.plonko.img);
  ok &= Save(game + "plonkohat.png", a.hats.img);
  ok &= Save(game + "grid.png", a.grid);
  ok &= Save(game + "boom.png", boom);
  ok &= Save(game + "spurt.png", a.spurt);
  ok &= Save(game + "logo.png", a.gameLogo);
  ok &= Save(game + "bits.png", a.bits.img);
  ok &= Save(game + "badges.png", a.badges.img);
  ok &= Save(game + "ahat.png", a.ahat);

  // Levels, as K-weighted loudness of the sound at full volume over the part that sounds. At the
  // default volumes (a quarter of full) the music sits near -23 LUFS and every effect about 7 LU
  // above it, each effect as loud as the others.
  constexpr float EFFECT_LUFS = -4.3f;
  std::printf("%-14s %8s %8s %8s\n", "sound", "seconds", "peak dB", "LUFS");
  auto write = [&](const std::string& path, Sound s, float lufs, float ceiling) {
    Edges(s);
    Level(s, lufs, ceiling);
    Loudness l = Measure(s.s);
    std::printf("%-14s %8.3f %8.1f %8.1f\n", std::filesystem::path(path).filename().c_str(), double(s.N()) / RATE,
                20 * std::log10(l.peak), SoundingLufs(s.s));
    if (!WriteWav(path, s)) {
      std::fprintf(stderr, "gen_assets: cannot write %s\n", path.c_str());
      ok = false;
    }
  };
  write(common + "badgeget.wav", MakeJingle(), EFFECT_LUFS, EFFECT_CEILING);
  for (int n = 1; n <= 11; n++) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.wav", n);
    write(game + name, MakeEffect(n), EFFECT_LUFS, EFFECT_CEILING);
  }
  // The music's samples, each instrument's variants alike. Drums by role: the kick carries the
  // beat; hats and the cymbal sit well under it.
  const float drumLufs[9] = {0, -16.5f, -18.0f, -25.5f, -25.5f, -19.0f, -18.5f, -18.5f, -26.5f};
  for (int kit = 1; kit <= 2; kit++)
    for (int n = 1; n <= 8; n++)
      write(game + "music/d" + std::to_string(kit) + "-" + std::to_string(n) + ".wav", MakeDrum(kit, n), drumLufs[n], MUSIC_CEILING);
  for (int n = 1; n <= 3; n++) {
    write(game + "music/bass" + std::to_string(n) + ".wav", MakeBass(n), -17.5f, MUSIC_CEILING);
    write(game + "music/lead" + std::to_string(n) + ".wav", MakeLead(n), -18.5f, MUSIC_CEILING);
    write(game + "music/accompany" + std::to_string(n) + ".wav", MakeAccompany(n), -14.0f, MUSIC_CEILING);
  }
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    if (iconsPath.empty()) break;
    const std::string folder = iconsPath + "/" + std::to_string(size) + "x" + std::to_string(size);
    std::filesystem::create_directories(folder);
    ok &= Save(folder + "/plonko-elongo.png", MakeDesktopIcon(size));
  }
  if (!sheetPath.empty()) ok &= Save(sheetPath, ContactSheet(a));
  if (!mockPath.empty()) {
    Image m = Mockup(a);
    ok &= Save(mockPath, m);
    std::string small = mockPath.substr(0, mockPath.size() - 4) + "_800x600.png";
    ok &= Save(small, Resample(m, 800, 600));
  }
  return ok ? 0 : 1;
}