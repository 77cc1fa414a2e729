// level_tool: the level images' compiler, reader and checker.
//
//   level_tool build <source.txt> <image.png>   compile a text source into a level image
//   level_tool text <image.png> [<source.txt>]  write an image back as text (stdout without a name)
//   level_tool check <image.png>                list every pixel the game would not read as meant
//
// Source format (the same as assets/levels/README.md). Blank lines and lines starting with ';'
// are ignored. Levels follow one another in order, each made of:
//
//   level [any title]            starts the next level; the game shows the title of a Hard level
//   hats <hat>=<n> ...           optional, may repeat: the level's hat stock. A hat is named by
//                                its number 1..7 or by red, hard (yellow), rubber (green), cyan,
//                                blue, magenta, safety (white); at most 6 of a kind, 32 in all
//   par hats=<n> actions=<n>     optional: the hats a win must use and its fewest actions (read
//                                by the solver test; not part of the image)
//   hint <text>                  optional, may repeat: a line of the level's instruction box (read
//                                by the game from the shipped source; not part of the image)
//   14 grid rows of 14 characters, top row first:
//     .  air                     #  ground (surface tiles are worked out by the game)
//     >  Plonko facing right     <  Plonko facing left
//     O  hole                    1..6  a hat lying on the board, by hat number
//
// Every level needs at least one Plonko. Level n becomes the 16 x 16 block at image rows
// (n - 1) * 16 ..: the grid in columns 0-13 of rows 0-13, one pixel per hat in the tally
// columns 14-15 (column 14 top to bottom, then column 15). The game reads the pixels with the
// same colour rules as this tool (game/level_colours.h), through the media layer's loader.
//
// Exit status: 0 done and clean, 1 problems found in the source or the image, 2 bad usage or
// a file that cannot be read or written.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "game/cells.h"
#include "game/game_state.h"
#include "game/hats.h"
#include "game/level_par.h"
#include "game/level_colours.h"
#include "media/media.h"
#include "media/png_io.h"

namespace {

constexpr int GRID = 14;
constexpr int BLOCK = 16;
constexpr int HATS = 7;
constexpr int MAX_OF_A_KIND = 6;                        // the game caps each stock at 6
constexpr int TALLY_PIXELS = (BLOCK - GRID) * BLOCK;    // 32

// ---------------------------------------------------------------------------------------------
// Meanings of a pixel, their characters and names
// ---------------------------------------------------------------------------------------------
struct GridMeaning {
  char ch;
  GridPixel px;
  const char* name;
};
const GridMeaning GRID_MEANINGS[] = {
    {'.', {CELL_AIR, 0}, "air"},
    {'#', {CELL_GROUND, 0}, "ground"},
    {'>', {CELL_AIR, 1}, "a Plonko facing right"},
    {'<', {CELL_AIR, -1}, "a Plonko facing left"},
    {'O', {CELL_HOLE, 0}, "a hole"},
    {'1', {CELL_PICKUP + 1, 0}, "a red hat pickup"},
    {'2', {CELL_PICKUP + 2, 0}, "a Hard Hat pickup"},
    {'3', {CELL_PICKUP + 3, 0}, "a Rubber Hat pickup"},
    {'4', {CELL_PICKUP + 4, 0}, "a cyan hat pickup"},
    {'5', {CELL_PICKUP + 5, 0}, "a blue hat pickup"},
    {'6', {CELL_PICKUP + 6, 0}, "a magenta hat pickup"},
};

const char* const HAT_WORDS[HATS + 1] = {"", "red", "hard", "rubber", "cyan", "blue", "magenta", "safety"};
const char* const HAT_ALIASES[HATS + 1] = {"", "misc", "yellow", "green", "", "", "", "white"};
const char* const TALLY_NAMES[HATS + 1] = {"no hat",   "a red hat",  "a Hard Hat",     "a Rubber Hat",
                                           "a cyan hat", "a blue hat", "a magenta hat", "a Safety Hat"};

const GridMeaning* MeaningOfChar(char ch) {
  for (const GridMeaning& m : GRID_MEANINGS)
    if (m.ch == ch) return &m;
  return nullptr;
}

const GridMeaning& MeaningOfPixel(const GridPixel& px) {
  for (const GridMeaning& m : GRID_MEANINGS)
    if (m.px == px) return m;
  return GRID_MEANINGS[0];
}

Rgb MeaningColour(const GridMeaning& m) {
  if (m.px.walker != 0) return WalkerColour(m.px.walker);
  if (m.px.cell == CELL_GROUND) return GroundColour();
  if (m.px.cell == CELL_HOLE) return HoleColour();
  if (m.px.cell > CELL_PICKUP) return HatPixelColour(m.px.cell - CELL_PICKUP);
  return {0, 0, 0};
}

uint32_t Argb(const Rgb& c) { return 0xFF000000u | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | uint32_t(c.b); }
int Channel(uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFF); }

int Distance(uint32_t argb, const Rgb& c) {
  const int dr = Channel(argb, 16) - c.r, dg = Channel(argb, 8) - c.g, db = Channel(argb, 0) - c.b;
  return dr * dr + dg * dg + db * db;
}

// What a grid pixel was most likely painted as: the meaning whose colour lies nearest.
const GridMeaning& IntendedGrid(uint32_t argb) {
  const GridMeaning* best = &GRID_MEANINGS[0];
  for (const GridMeaning& m : GRID_MEANINGS)
    if (Distance(argb, MeaningColour(m)) < Distance(argb, MeaningColour(*best))) best = &m;
  return *best;
}

int IntendedTally(uint32_t argb) {
  int best = 0;
  for (int c = 1; c <= HATS; ++c)
    if (Distance(argb, HatPixelColour(c)) < Distance(argb, HatPixelColour(best))) best = c;
  return best;
}

// ---------------------------------------------------------------------------------------------
// Pictures
// ---------------------------------------------------------------------------------------------
struct Picture {
  int w = 0, h = 0;
  std::vector<uint32_t> argb;
  uint32_t At(int x, int y) const { return x < w && y < h ? argb[static_cast<size_t>(y * w + x)] : 0xFF000000u; }
  void Set(int x, int y, uint32_t v) { argb[static_cast<size_t>(y * w + x)] = v; }
};

// Read through the media layer, exactly as the game reads a level image.
bool ReadPicture(const std::string& path, Picture& pic) {
  const int image = LoadPixelImage(path);
  if (image == 0) return false;
  const int pixmap = LockImage(image);
  pic.w = PixmapWidth(pixmap);
  pic.h = PixmapHeight(pixmap);
  pic.argb.resize(static_cast<size_t>(pic.w) * static_cast<size_t>(pic.h));
  for (int y = 0; y < pic.h; ++y)
    for (int x = 0; x < pic.w; ++x) pic.Set(x, y, ReadPixel(pixmap, x, y));
  UnlockImage(image);
  FreeImage(image);
  return pixmap != 0;
}

bool WritePicture(const std::string& path, const Picture& pic) {
  return WritePngArgb(path, pic.argb.data(), pic.w, pic.h, 9);
}

// ---------------------------------------------------------------------------------------------
// Sources
// ---------------------------------------------------------------------------------------------
struct LevelText {
  int line = 0;  // of its "level" line
  int hats[HATS + 1] = {};
  std::vector<std::string> rows;
};

std::string Lowered(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

int HatByName(const std::string& word) {
  const std::string w = Lowered(word);
  for (int c = 1; c <= HATS; ++c)
    if (w == HAT_WORDS[c] || (HAT_ALIASES[c][0] && w == HAT_ALIASES[c]) || w == std::to_string(c)) return c;
  return 0;
}

class SourceReader {
 public:
  explicit SourceReader(std::string name) : name_(std::move(name)) {}

  bool Read(std::istream& in, std::vector<LevelText>& levels) {
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
      ++number;
      while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
      const size_t start = line.find_first_not_of(" \t");
      if (start == std::string::npos || line[start] == ';') continue;
      std::istringstream words(line);
      std::string first;
      words >> first;
      if (Lowered(first) == "level") {
        Finish(levels);
        levels.emplace_back();
        levels.back().line = number;
      } else if (levels.empty()) {
        Fail(number, "expected a \"level\" line first");
      } else if (Lowered(first) == "hats") {
        ReadHats(number, words, levels.back());
      } else if (Lowered(first) == "par") {
        // Held by the solver test, not by the image.
        std::string rest;
        std::getline(words, rest);
        LevelPar par;
        if (!ParsePar(rest, par)) Fail(number, "par is \"hats=<n> actions=<n>\"");
      } else if (Lowered(first) == "hint") {
        // A line of the level's instruction box: read by the game from the source, not the image.
      } else {
        ReadRow(number, line, levels.back());
      }
    }
    Finish(levels);
    if (levels.empty()) Fail(number, "no levels");
    return errors_ == 0;
  }

 private:
  void Fail(int line, const std::string& what) {
    std::cerr << name_ << ":" << line << ": " << what << "\n";
    ++errors_;
  }

  void ReadHats(int line, std::istringstream& words, LevelText& level) {
    std::string item;
    while (words >> item) {
      const size_t eq = item.find('=');
      const int hat = eq == std::string::npos ? 0 : HatByName(item.substr(0, eq));
      const std::string count = eq == std::string::npos ? "" : item.substr(eq + 1);
      if (hat == 0 || count.empty() || count.size() > 2 || count.find_first_not_of("0123456789") != std::string::npos) {
        Fail(line, "\"" + item + "\" is not <hat>=<count> (hats: 1..7 or red hard rubber cyan blue magenta safety)");
        continue;
      }
      level.hats[hat] += std::stoi(count);
    }
  }

  void ReadRow(int line, const std::string& text, LevelText& level) {
    if (level.rows.size() == GRID) {
      Fail(line, "a level has 14 grid rows; this is a 15th");
      return;
    }
    if (text.size() != GRID) Fail(line, "a grid row has 14 characters, this one " + std::to_string(text.size()));
    for (size_t x = 0; x < text.size(); ++x)
      if (!MeaningOfChar(text[x])) Fail(line, std::string("unknown grid character '") + text[x] + "' in column " + std::to_string(x + 1));
    level.rows.push_back(text);
  }

  void Finish(std::vector<LevelText>& levels) {
    if (levels.empty() || finished_ == levels.size()) return;
    finished_ = levels.size();
    const LevelText& level = levels.back();
    const std::string which = "level " + std::to_string(levels.size());
    if (level.rows.size() != GRID)
      Fail(level.line, which + " has " + std::to_string(level.rows.size()) + " grid rows, not 14");
    int walkers = 0, total = 0;
    for (const std::string& row : level.rows)
      for (char c : row) walkers += c == '>' || c == '<';
    if (walkers == 0) Fail(level.line, which + " has no Plonko ('>' or '<'): the game would end there");
    if (walkers > RULES_MAX_WALKERS)
      Fail(level.line, which + " has " + std::to_string(walkers) + " Plonkos; a level holds at most " + std::to_string(RULES_MAX_WALKERS));
    for (int c = 1; c <= HATS; ++c) {
      total += level.hats[c];
      if (level.hats[c] > MAX_OF_A_KIND)
        Fail(level.line, which + ": " + std::to_string(level.hats[c]) + " " + HAT_WORDS[c] + " hats; the game gives at most 6");
    }
    if (total > TALLY_PIXELS) Fail(level.line, which + ": " + std::to_string(total) + " hats; a level holds at most 32");
  }

  std::string name_;
  int errors_ = 0;
  size_t finished_ = 0;
};

Picture Compile(const std::vector<LevelText>& levels) {
  Picture pic;
  pic.w = BLOCK;
  pic.h = BLOCK * static_cast<int>(levels.size());
  pic.argb.assign(static_cast<size_t>(pic.w) * static_cast<size_t>(pic.h), 0xFF000000u);
  for (size_t n = 0; n < levels.size(); ++n) {
    const int top = static_cast<int>(n) * BLOCK;
    const LevelText& level = levels[n];
    for (size_t y = 0; y < level.rows.size(); ++y)
      for (size_t x = 0; x < level.rows[y].size(); ++x)
        if (const GridMeaning* m = MeaningOfChar(level.rows[y][x]))
          pic.Set(static_cast<int>(x), top + static_cast<int>(y), Argb(MeaningColour(*m)));
    int k = 0;
    for (int c = 1; c <= HATS; ++c)
      for (int i = 0; i < level.hats[c] && k < TALLY_PIXELS; ++i, ++k)
        pic.Set(GRID + k / BLOCK, top + k % BLOCK, Argb(HatPixelColour(c)));
  }
  return pic;
}

// The text of an image as the game reads it: stocks capped at 6, surfaces shown as ground.
std::string Decompile(const Picture& pic) {
  std::ostringstream out;
  for (int n = 0; n < pic.h / BLOCK; ++n) {
    const int top = n * BLOCK;
    int hats[HATS + 1] = {};
    for (int y = 0; y < BLOCK; ++y)
      for (int x = GRID; x < BLOCK; ++x) ++hats[TallyColour(pic.At(x, top + y))];
    if (n > 0) out << "\n";
    out << "level " << n + 1 << "\n";
    std::string stock;
    for (int c = 1; c <= HATS; ++c)
      if (hats[c] > 0) stock += " " + std::string(HAT_WORDS[c]) + "=" + std::to_string(std::min(hats[c], MAX_OF_A_KIND));
    if (!stock.empty()) out << "hats" << stock << "\n";
    for (int y = 0; y < GRID; ++y) {
      for (int x = 0; x < GRID; ++x) out << MeaningOfPixel(ClassifyGridPixel(pic.At(x, top + y))).ch;
      out << "\n";
    }
  }
  return out.str();
}

std::string ColourText(uint32_t argb) {
  return "(" + std::to_string(Channel(argb, 16)) + "," + std::to_string(Channel(argb, 8)) + "," +
         std::to_string(Channel(argb, 0)) + ")";
}

// Every pixel whose reading differs from what its colour looks like, and every block the game
// cannot play. Returns the number of problems.
int Check(const std::string& name, const Picture& pic) {
  int problems = 0;
  auto report = [&](int level, int x, int y, const std::string& what) {
    std::cout << name << ": level " << level << " x " << x << " y " << y << " (pixel " << x << "," << (level - 1) * BLOCK + y
              << "): " << what << "\n";
    ++problems;
  };
  if (pic.w < BLOCK) {
    std::cout << name << ": the image is " << pic.w << " pixels wide; levels are 16\n";
    ++problems;
  }
  if (pic.h % BLOCK != 0) {
    std::cout << name << ": rows " << pic.h / BLOCK * BLOCK << " to " << pic.h - 1
              << " do not make a whole 16-row level and are never read\n";
    ++problems;
  }
  for (int n = 1; n <= pic.h / BLOCK; ++n) {
    const int top = (n - 1) * BLOCK;
    int walkers = 0;
    int hats[HATS + 1] = {};
    for (int y = 0; y < BLOCK; ++y) {
      for (int x = 0; x < BLOCK; ++x) {
        const uint32_t p = pic.At(x, top + y);
        if (x >= GRID) {
          const int read = TallyColour(p), meant = IntendedTally(p);
          ++hats[read];
          if (read != meant)
            report(n, x, y, "tally colour " + ColourText(p) + " counts as " + TALLY_NAMES[read] + " but looks like " + TALLY_NAMES[meant]);
        } else if (y >= GRID) {
          const GridMeaning& meant = IntendedGrid(p);
          if (meant.ch != '.') report(n, x, y, "colour " + ColourText(p) + " looks like " + meant.name + " but rows 14-15 are never read");
        } else {
          const GridMeaning& read = MeaningOfPixel(ClassifyGridPixel(p));
          const GridMeaning& meant = IntendedGrid(p);
          walkers += read.px.walker != 0;
          if (read.ch != meant.ch) report(n, x, y, "colour " + ColourText(p) + " reads as " + read.name + " but looks like " + meant.name);
        }
      }
    }
    if (walkers == 0) {
      std::cout << name << ": level " << n << " has no Plonko: the game ends there\n";
      ++problems;
    }
    if (walkers > RULES_MAX_WALKERS) {
      std::cout << name << ": level " << n << " has " << walkers << " Plonkos; the game reads no level with more than "
                << RULES_MAX_WALKERS << "\n";
      ++problems;
    }
    for (int c = 1; c <= HATS; ++c) {
      if (hats[c] > MAX_OF_A_KIND) {
        std::cout << name << ": level " << n << " has " << hats[c] << " tally pixels of " << TALLY_NAMES[c]
                  << "; only 6 count\n";
        ++problems;
      }
    }
  }
  return problems;
}

int Usage() {
  std::cerr << "usage: level_tool build <source.txt> <image.png>\n"
               "       level_tool text <image.png> [<source.txt>]\n"
               "       level_tool check <image.png>\n";
  return 2;
}

int Build(const std::string& source, const std::string& image) {
  std::ifstream in(source);
  if (!in) {
    std::cerr << source << ": cannot be read\n";
    return 2;
  }
  std::vector<LevelText> levels;
  if (!SourceReader(source).Read(in, levels)) return 1;
  if (!WritePicture(image, Compile(levels))) {
    std::cerr << image << ": cannot be written\n";
    return 2;
  }
  return 0;
}

int Text(const std::string& image, const std::string& source) {
  Picture pic;
  if (!ReadPicture(image, pic)) {
    std::cerr << image << ": not a readable PNG image\n";
    return 2;
  }
  const std::string text = Decompile(pic);
  if (source.empty()) {
    std::cout << text;
    return 0;
  }
  std::ofstream out(source, std::ios::binary);
  out << text;
  out.close();
  if (!out) {
    std::cerr << source << ": cannot be written\n";
    return 2;
  }
  return 0;
}

int CheckImage(const std::string& image) {
  Picture pic;
  if (!ReadPicture(image, pic)) {
    std::cerr << image << ": not a readable PNG image\n";
    return 2;
  }
  return Check(image, pic) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  MediaInit(MEDIA_HEADLESS);  // only the image loader is used
  int rc = 2;
  if (args[0] == "build" && args.size() == 3)
    rc = Build(args[1], args[2]);
  else if (args[0] == "text" && (args.size() == 2 || args.size() == 3))
    rc = Text(args[1], args.size() == 3 ? args[2] : "");
  else if (args[0] == "check" && args.size() == 2)
    rc = CheckImage(args[1]);
  else
    rc = Usage();
  MediaShutdown();
  return rc;
}
