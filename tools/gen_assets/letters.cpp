// The letters of the two fonts.
#include "gen_assets/letters.h"

#include <cctype>

namespace art {

namespace {

const char* TinyGlyph(char c) {
  switch (c) {
    case '0': return "111101101101111";
    case '1': return "010110010010111";
    case '2': return "111001111100111";
    case '3': return "111001111001111";
    case '4': return "101101111001001";
    case '5': return "111100111001111";
    case '6': return "111100111101111";
    case '7': return "111001010010010";
    case '8': return "111101111101111";
    case '9': return "111101111001111";
    case 'A': return "010101111101101";
    case 'B': return "110101110101110";
    case 'C': return "011100100100011";
    case 'D': return "110101101101110";
    case 'E': return "111100110100111";
    case 'F': return "111100110100100";
    case 'G': return "011100101101011";
    case 'H': return "101101111101101";
    case 'I': return "111010010010111";
    case 'J': return "001001001101010";
    case 'K': return "101101110101101";
    case 'L': return "100100100100111";
    case 'M': return "101111111101101";
    case 'N': return "110101101101101";
    case 'O': return "010101101101010";
    case 'P': return "110101110100100";
    case 'R': return "110101110101101";
    case 'S': return "011100010001110";
    case 'T': return "111010010010010";
    case 'U': return "101101101101111";
    case 'V': return "101101101101010";
    case 'W': return "101101111111101";
    case 'X': return "101101010101101";
    case 'Y': return "101101010010010";
    case 'Z': return "111001010100111";
    case '.': return "000000000000010";
    case '-': return "000000111000000";
    case '(': return "010100100100010";
    case ')': return "010001001001010";
    default: return "000000000000000";
  }
}

// Stroke glyphs: polylines in a box of cap height 10 (y down), with their advance width.
struct Glyph {
  float width;
  std::vector<std::vector<V2>> strokes;
};

Glyph StrokeGlyph(char c) {
  switch (c) {
    case 'A': return {6.4f, {{{0, 10}, {3.2f, 0}, {6.4f, 10}}, {{1.3f, 6.6f}, {5.1f, 6.6f}}}};
    case 'C': return {6.6f, {Arc(3.6f, 5, 3.6f, 5, 42, 318)}};
    case 'D': return {6.4f, {Join(Join({{0, 5}, {0, 0}, {2.4f, 0}}, Arc(2.4f, 5, 4, 5, 90, -90)), {{0, 10}, {0, 5}})}};
    case 'E': return {5.2f, {{{5.2f, 0}, {0, 0}, {0, 10}, {5.2f, 10}}, {{0, 5}, {4.2f, 5}}}};
    case 'G': return {6.8f, {Join(Arc(3.6f, 5, 3.6f, 5, 42, 345), {{7.2f, 5.8f}, {4.3f, 5.8f}})}};
    case 'H': return {5.8f, {{{0, 0}, {0, 10}}, {{5.8f, 0}, {5.8f, 10}}, {{0, 5}, {5.8f, 5}}}};
    case 'I': return {0.0f, {{{0, 0}, {0, 10}}}};
    case 'K': return {5.6f, {{{0, 0}, {0, 10}}, {{5.4f, 0}, {0.3f, 5.6f}}, {{1.9f, 4.1f}, {5.6f, 10}}}};
    case 'L': return {5.0f, {{{0, 0}, {0, 10}, {5.0f, 10}}}};
    case 'N': return {6.0f, {{{0, 10}, {0, 0}, {6, 10}, {6, 0}}}};
    case 'O': return {7.2f, {Arc(3.6f, 5, 3.6f, 5, 0, 360, 40)}};
    case 'P': return {5.6f, {Join(Join({{0, 10}, {0, 0}, {2.8f, 0}}, Arc(2.8f, 2.8f, 2.8f, 2.8f, 90, -90)), {{0, 5.6f}})}};
    case 'R': return {5.8f, {Join(Join({{0, 10}, {0, 0}, {2.8f, 0}}, Arc(2.8f, 2.8f, 2.8f, 2.8f, 90, -90)), {{0, 5.6f}}), {{2.6f, 5.6f}, {5.8f, 10}}}};
    case 'T': return {6.0f, {{{0, 0}, {6, 0}}, {{3, 0}, {3, 10}}}};
    case 'U': return {6.0f, {Join(Join({{0, 0}, {0, 6.6f}}, Arc(3, 6.6f, 3, 3.4f, 180, 360)), {{6, 0}})}};
    case 'V': return {6.4f, {{{0, 0}, {3.2f, 10}, {6.4f, 0}}}};
    case 'W': return {8.8f, {{{0, 0}, {2.2f, 10}, {4.4f, 3.2f}, {6.6f, 10}, {8.8f, 0}}}};
    case 'Y': return {6.2f, {{{0, 0}, {3.1f, 5.2f}, {6.2f, 0}}, {{3.1f, 5.2f}, {3.1f, 10}}}};
    case '!': return {0.0f, {{{0, 0}, {0, 6.4f}}, {{0, 9.8f}}}};
    default: return {3.2f, {}};
  }
}

}  // namespace

void TinyText(Image& img, int x, int y, const std::string& s, int scale, RGBA c) {
  for (char ch : s) {
    const char* g = TinyGlyph(char(std::toupper(static_cast<unsigned char>(ch))));
    for (int j = 0; j < 5; j++)
      for (int i = 0; i < 3; i++)
        if (g[j * 3 + i] == '1')
          for (int v = 0; v < scale; v++)
            for (int u = 0; u < scale; u++) img.Set(x + i * scale + u, y + j * scale + v, c);
    x += 4 * scale;
  }
}

Shape TextShape(const std::string& s, float x, float y, const TextStyle& st) {
  float k = st.size / 10.0f;
  std::vector<Shape> parts;
  Rng rng(st.seed);
  float pen = 0;
  for (char ch : s) {
    Glyph g = StrokeGlyph(ch);
    float rise = st.wobble ? rng.Range(-st.wobble, st.wobble) : 0;
    float tilt = st.wobble ? rng.Range(-st.wobble, st.wobble) * 2.0f : 0;
    Xf m = Translate(-g.width / 2, -5).Then(Rotate(tilt)).Then(ScaleXf(k, k * st.stretchY))
               .Then(Translate(x + (pen + st.weight / 2 + g.width / 2) * k, y + (st.weight / 2 + 5 + rise) * k * st.stretchY));
    for (auto& stroke : g.strokes) parts.push_back(Map(Stroke(stroke, st.weight / 2), m));
    pen += g.width + st.tracking;
  }
  return Group(parts);
}

float TextWidth(const std::string& s, const TextStyle& st) {
  float pen = 0;
  for (char ch : s) pen += StrokeGlyph(ch).width + st.tracking;
  return (pen - st.tracking + st.weight) * st.size / 10.0f;
}

}  // namespace art
