// The channel slots shared by the music (slots 0 to 4), the sound effects (20 to 255), the
// start-up jingle (256) and the badge jingle (257). Each slot holds a media layer channel
// handle, 0 when empty.
// Lives for the whole run; never reset.
#pragma once

inline constexpr int SOUND_CHANNEL_SLOTS = 260;
inline constexpr int BADGE_JINGLE_SLOT = 257;
inline constexpr int SECOND_DRUMS_SLOT = 1;  // the music's track 1, the second drum kit
inline int SoundChannels[SOUND_CHANNEL_SLOTS] = {};
