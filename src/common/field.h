// Field splitting, shared by every reader of the game's text files.
#pragma once

#include <string>

// The n-th field (1-based) of s split at sep, s trimmed first; with spaceToo 1 a blank also ends
// a field. A field past the last separator reads FIELD_MISSING, while in a text without any
// separator every field is the whole text (Setup.ini and scores.dat reading rely on both).
std::string Field(const std::string& s, const std::string& sep, int n, int spaceToo = 0);
constexpr const char* FIELD_MISSING = "-+-";
