// Every file the game ships removed, cut to half its length or overwritten with noise, all at once,
// on the headless back end: start-up, the title, the three songs and a game of each difficulty run
// without them (the sanitizers watch), and the log names each file that could not be loaded. The
// real-window tests take one file of each kind in turn on the real binary.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "engine/startup.h"
#include "engine/title.h"
#include "game/game_flow.h"
#include "game/play_game.h"
#include "music/playback.h"

namespace fs = std::filesystem;

namespace {

enum class Damage { REMOVED, TRUNCATED, GARBAGE };

const fs::path& Shipped() {
  static const fs::path assets = fs::path(TEST_SOURCE_DIR) / "assets";
  return assets;
}

// Every file of the run folder's data, as the source tree lays it out.
std::vector<std::string> ShippedFiles() {
  std::vector<std::string> out;
  for (const char* top : {"Files", "Plonko_Levels"})
    for (const auto& e : fs::recursive_directory_iterator(Shipped() / top))
      if (e.is_regular_file()) out.push_back(fs::relative(e.path(), Shipped()).string());
  std::sort(out.begin(), out.end());
  return out;
}

// bass2.wav and the like: an instrument's variants are counted from 1 up to the last one there, so
// without the first none of the others is looked for.
bool LaterVariant(const std::string& file) {
  const std::string stem = fs::path(file).stem().string();
  return fs::path(file).parent_path().filename() == "music" && stem.find('-') == std::string::npos && !stem.empty() &&
         stem.back() > '1' && std::isdigit(static_cast<unsigned char>(stem.back()));
}

void Apply(const fs::path& path, Damage how) {
  std::string bytes;
  {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (how == Damage::REMOVED) {
    fs::remove(path);
    return;
  }
  if (how == Damage::TRUNCATED) bytes.resize(bytes.size() / 2);
  if (how == Damage::GARBAGE)
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7919 + 13) >> 3);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class AssetDamageTest : public EngineTest, public testing::WithParamInterface<Damage> {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    for (const std::string& file : ShippedFiles()) {
      fs::create_directories((root_ / file).parent_path());
      fs::copy_file(Shipped() / file, root_ / file);
      if (fs::path(file).extension() != ".txt") Apply(root_ / file, GetParam());  // the fonts' licence is never read
    }
    ChangeDir(root_.string());  // the program's own folder, as main leaves it
    HeadlessSetFlipCost(40);    // a short engine test
  }
};

TEST_P(AssetDamageTest, TheGameRunsOnAndTheLogNamesEachFile) {
  StartUp();
  for (int i = 0; i < 5; ++i) TitleFrame();
  for (const char* song : {"BrevoPlat", "Mario", "Pipeline"}) LoadSong(song, 1, 125);
  for (int mode : {0, 1}) {
    GameMode = mode;
    PlayGame();  // its level image is damaged too: no game, and a message
  }
  // A game of sound levels among the other damaged files.
  fs::copy_file(Shipped() / "Plonko_Levels" / "Soft.png", root_ / "Plonko_Levels" / "Soft.png", fs::copy_options::overwrite_existing);
  GameMode = 0;
  ASSERT_TRUE(StartGameState());
  for (int i = 0; i < 5 && GameFrame() == 0; ++i) {
  }

  const std::vector<std::string> log = FileLines(Files() / "Debug.txt");
  for (const std::string& file : ShippedFiles()) {
    if (fs::path(file).extension() == ".txt") continue;
    const auto named = std::count(log.begin(), log.end(), "\tMissing file " + file) +
                       std::count(log.begin(), log.end(), "\tDamaged file " + file);
    // A song cut short keeps its first sections, and plays them; later variants of an instrument
    // are not looked for without the first: nothing to say of either.
    const bool stillUsable = (GetParam() == Damage::TRUNCATED && fs::path(file).extension() == ".ini") ||
                             (GetParam() == Damage::REMOVED && LaterVariant(file));
    EXPECT_EQ(named, stillUsable ? 0 : 1) << file;
  }
  for (const char* name : {"Soft", "Hard"})
    EXPECT_EQ(std::count(log.begin(), log.end(), std::string("\tCannot start: no level 1 in Plonko_Levels/") + name + ".png"), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryShippedFile, AssetDamageTest,
                         testing::Values(Damage::REMOVED, Damage::TRUNCATED, Damage::GARBAGE),
                         [](const testing::TestParamInfo<Damage>& info) {
                           return std::string(info.param == Damage::REMOVED     ? "Removed"
                                              : info.param == Damage::TRUNCATED ? "Truncated"
                                                                                : "Garbage");
                         });

}  // namespace
