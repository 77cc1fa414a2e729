// The badge rules and their award: a message and the jingle for each new one.
#include "game/badges.h"

#include <string>

#include "common/common_assets.h"
#include "common/settings.h"
#include "common/sound_channels.h"
#include "frame/end_frame.h"
#include "game/flow_state.h"
#include "media/media.h"

namespace {

constexpr int HALF_WAY_LEVEL = 15;
constexpr int QUICK_FRAMES = 15 * 60;  // "within 15 seconds"

bool Won(const BadgeFacts& f) { return f.level > 0; }

// In cell order of badges.png.
constexpr Badge BADGES[BADGE_COUNT] = {
    {"First Win", "a level won", [](const BadgeFacts& f) { return Won(f); }},
    {"Soft Complete", "the last Soft level won",
     [](const BadgeFacts& f) { return Won(f) && f.mode == 0 && f.level == f.lastLevel; }},
    {"Hard Complete", "the last Hard level won",
     [](const BadgeFacts& f) { return Won(f) && f.mode == 1 && f.level == f.lastLevel; }},
    {"Par Five", "five levels won at par in one game", [](const BadgeFacts& f) { return f.parWins >= 5; }},
    {"Clean Ten", "ten levels won in a row in one game, with no restart, lost or skipped level between",
     [](const BadgeFacts& f) { return f.cleanRun >= 10; }},
    {"Hats Off", "a level won with every hat of its panel left unused (it had at least one)",
     [](const BadgeFacts& f) { return Won(f) && f.hatsHanded > 0 && f.hatsGiven == 0; }},
    {"Hard Start", "a Hard level won", [](const BadgeFacts& f) { return Won(f) && f.mode == 1; }},
    {"Half Way", "level 15 won", [](const BadgeFacts& f) { return f.level == HALF_WAY_LEVEL; }},
    {"Sharp Eye", "a level won at par at its first try",
     [](const BadgeFacts& f) { return Won(f) && f.atPar && f.tries == 1; }},
    {"Early Bird", "a level won within 15 seconds of its start",
     [](const BadgeFacts& f) { return Won(f) && f.frames <= QUICK_FRAMES; }},
    {"Never Give Up", "a level won after three restarts or losses of it",
     [](const BadgeFacts& f) { return Won(f) && f.tries >= 4; }},
    {"Hat Trick", "a level won with three or more hats given",
     [](const BadgeFacts& f) { return Won(f) && f.hatsGiven >= 3; }},
    {"Fifty Saved", "50 Plonkos saved in one game", [](const BadgeFacts& f) { return f.saved >= 50; }},
    {"Ten Thousand", "a score of 10000 in one game", [](const BadgeFacts& f) { return f.score >= 10000; }},
    {"Par Ten", "ten levels won at par in one game", [](const BadgeFacts& f) { return f.parWins >= 10; }},
    {"Marathon", "twenty levels won in one game", [](const BadgeFacts& f) { return f.levelsWon >= 20; }},
};

// The jingle has a slot of its own beside the start-up one, so no effect cuts it short.
void PlayBadgeJingle() {
  if (BadgeJingle == 0 || Settings[Sound] <= 0) return;
  int& channel = SoundChannels[BADGE_JINGLE_SLOT];
  channel = ReuseChannel(channel);
  CueSound(BadgeJingle, channel);
  SetChannelVolume(channel, static_cast<float>(Settings[Sound]) * static_cast<float>(Settings[Master]) / 10000.0f);
  ResumeChannel(channel);
}

}  // namespace

const Badge* BadgeOf(int n) { return n >= 1 && n <= BADGE_COUNT ? &BADGES[n - 1] : nullptr; }

int EarnedBadges(const BadgeFacts& facts) {
  int bits = 0;
  for (int n = 1; n <= BADGE_COUNT; ++n)
    if (BADGES[n - 1].earned(facts)) bits |= 1 << (n - 1);
  return bits;
}

void AwardBadges(int bits) {
  const int fresh = bits & ~Badges;
  if (fresh == 0) return;
  Badges |= fresh;
  for (int n = 1; n <= BADGE_COUNT; ++n)
    if (fresh & (1 << (n - 1))) AddMessage(std::string("Badge: ") + BADGES[n - 1].name, 0);
  PlayBadgeJingle();
}
