// Fitting text into a box of the logical screen: word wrapping and the choice of a font size,
// measured in the current font (fonts are larger on small displays, so nothing is fixed ahead).
#pragma once

#include <string>
#include <vector>

// The words of text in lines no wider than width (unscaled, current font). A word wider than
// the box on its own gets a line of its own. An empty or blank text gives no lines.
std::vector<std::string> WrapWords(const std::string& text, int width);
// The widest of the lines in the current font, unscaled.
int WidestLine(const std::vector<std::string>& lines);
// The largest step from `step` down to 0 of font face `face` (SelectFont) in which every line
// fits width; step 0 when none does. Leaves that font selected.
int FitFontStep(int face, int step, const std::vector<std::string>& lines, int width);
