// Word wrapping and font fitting in the current font.
#include "frame/text_fit.h"

#include <sstream>

#include "frame/draw.h"
#include "media/media.h"

std::vector<std::string> WrapWords(const std::string& text, int width) {
  std::vector<std::string> lines;
  std::istringstream words(text);
  std::string word, line;
  while (words >> word) {
    const std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && TextWidth(longer) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

int WidestLine(const std::vector<std::string>& lines) {
  int widest = 0;
  for (const std::string& l : lines) {
    const int w = TextWidth(l);
    if (w > widest) widest = w;
  }
  return widest;
}

int FitFontStep(int face, int step, const std::vector<std::string>& lines, int width) {
  for (; step > 0; --step) {
    SelectFont(face, step);
    if (WidestLine(lines) <= width) return step;
  }
  SelectFont(face, 0);
  return 0;
}
