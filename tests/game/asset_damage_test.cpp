// Every file the game ships, in turn removed, cut to half its length or overwritten with noise, on
// the headless back end: start-up, the title, the three songs and a game of each difficulty run
// without it (the sanitizers watch), and the log names the file whenever it could not be loaded.
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
#include "music/playback.h"

namespace fs = std::filesystem;

namespace {

enum class Damage { REMOVED, TRUNCATED, GARBAGE };

struct Case {
  std::string file;  // below the run folder
  Damage how;
};

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

std::vector<Case> Cases() {
  std::vector<Case> out;
  for (const std::string& file : ShippedFiles())
    if (fs::path(file).extension() != ".txt")  // the fonts' licence: the game never reads it
      for (Damage how : {Damage::REMOVED, Damage::TRUNCATED, Damage::GARBAGE}) out.push_back({file, how});
  return out;
}

// bass3.wav when there is no bass4.wav, and the like.
bool LastVariant(const std::string& file) {
  const std::string stem = fs::path(file).stem().string();
  if (fs::path(file).parent_path().filename() != "music" || stem.empty() || !std::isdigit(static_cast<unsigned char>(stem.back())) ||
      stem.find('-') != std::string::npos)
    return false;
  const std::string next = stem.substr(0, stem.size() - 1) + std::to_string(stem.back() - '0' + 1) + ".wav";
  return !fs::exists(Shipped() / fs::path(file).parent_path() / next);
}

std::string CaseName(const testing::TestParamInfo<Case>& info) {
  std::string name = info.param.file + (info.param.how == Damage::REMOVED     ? "_removed"
                                        : info.param.how == Damage::TRUNCATED ? "_truncated"
                                                                              : "_garbage");
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
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

class AssetDamageTest : public EngineTest, public testing::WithParamInterface<Case> {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    // The shipped files linked in, and the one under test copied, so that it can be damaged.
    for (const std::string& file : ShippedFiles()) {
      fs::create_directories((root_ / file).parent_path());
      if (file == GetParam().file)
        fs::copy_file(Shipped() / file, root_ / file);
      else
        fs::create_symlink(Shipped() / file, root_ / file);
    }
    ChangeDir(root_.string());  // the program's own folder, as main leaves it
    HeadlessSetFlipCost(40);    // a short engine test
  }
};

TEST_P(AssetDamageTest, TheGameRunsOnAndTheLogNamesTheFile) {
  const Case& c = GetParam();
  Apply(root_ / c.file, c.how);

  StartUp();
  for (int i = 0; i < 5; ++i) TitleFrame();
  for (const char* song : {"BrevoPlat", "Mario", "Pipeline"}) LoadSong(song, 1, 125);
  for (int mode : {0, 1}) {
    GameMode = mode;
    if (StartGameState())
      for (int i = 0; i < 5 && GameFrame() == 0; ++i) {
      }
  }

  const std::vector<std::string> log = FileLines(Files() / "Debug.txt");
  const bool named = std::count(log.begin(), log.end(), "\tMissing file " + c.file) +
                         std::count(log.begin(), log.end(), "\tDamaged file " + c.file) ==
                     1;
  // A song cut short keeps its first sections, and plays them; without its last variant an
  // instrument has one fewer (they count from 1 to the last there): nothing to say.
  const bool stillUsable = (c.how == Damage::TRUNCATED && fs::path(c.file).extension() == ".ini") ||
                           (c.how == Damage::REMOVED && LastVariant(c.file));
  EXPECT_EQ(named, !stillUsable) << "Debug.txt:\n" << FileText(Files() / "Debug.txt");
}

INSTANTIATE_TEST_SUITE_P(EveryShippedFile, AssetDamageTest, testing::ValuesIn(Cases()), CaseName);

}  // namespace
