// Song files: "music/<name>.ini" holds five sections of quoted pattern lines and their stretch
// modes; note letters turn into playback rate ratios.
#pragma once

#include <string>

// Fills the pools and stretch modes of SongState() from "music/<name>.ini"; a missing file
// leaves every section empty. Lines longer than MAX_SONG_LINE_CHARS are cut, so no file can make
// the reader grow without bound.
void ReadSong(const std::string& name);
// True when the song file exists.
bool SongFileExists(const std::string& name);

// The rate ratio of a note letter, case-insensitive: "q" is 1 (the sample's own pitch), each
// key a semitone, two octaves from "s" to "]"; "z" and every other character are a rest (0).
float NoteRatio(char letter);
float NoteRatio(const std::string& letter);  // its first character; the empty text is a rest
