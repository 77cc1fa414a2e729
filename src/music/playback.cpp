// Music playback. Until songs and samples arrive the player is silent: nothing loads, no song
// starts and the tick has nothing to play.
#include "music/playback.h"

void LoadMusicSamples() {}
void LoadSong(const std::string&, int, int) {}
void MusicTick() {}
