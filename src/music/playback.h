// Music playback: the sampled loops, the current song and its step clock.
#pragma once

#include <string>

// Loads the instrument samples from "music/" in the game folder (display set-up).
void LoadMusicSamples();
// Starts the song "music/<name>.ini" with a seed and a tempo.
void LoadSong(const std::string& name, int seed, int tempo);
// Plays the step that has fallen due; EndFrame calls it once per frame.
void MusicTick();
