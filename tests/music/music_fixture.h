// A game folder of its own for the music tests: music/ with song files written by the test and
// short constant-level samples, the headless back end's fake clock, and helpers that run the
// player frame by frame and read back the notes it played.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/settings.h"
#include "common/sound_channels.h"
#include "media/headless.h"
#include "media/media.h"
#include "media/wav_fixture.h"
#include "music/playback.h"
#include "music/song_state.h"

// One note as the player started it: its track (the slot of its channel), when, and its settings.
struct PlayedNote {
  int track = -1;
  int ms = 0;
  int sound = 0;
  int channel = 0;
  float rate = 1, volume = -1, pan = 0;
  bool rateSet = false, panSet = false, stoppedBefore = false;
};

class MusicTest : public testing::Test {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_HEADLESS);
    SetDefaultSettings();
    ResetSongState();
    for (int& c : SoundChannels) c = 0;
    dir_ = TestFolder("music");
    std::filesystem::create_directories(dir_ / "music");
    home_ = CurrentDir();
    ChangeDir(dir_.string());
    HeadlessSetClock(100000);
  }
  void TearDown() override {
    ChangeDir(home_);
    std::filesystem::remove_all(dir_);
    ResetSongState();
    for (int& c : SoundChannels) c = 0;
  }

  void WriteSong(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / "music" / (name + ".ini"), std::ios::binary) << text;
  }
  // Drum kits of eight and `pitched` variants of each instrument, 100 ms each.
  void WriteSamples(int pitched = 2) {
    auto put = [&](const std::string& file) { WriteFile(dir_ / "music" / file, ConstantWav(4410, 44100)); };
    for (int n = 1; n <= 8; ++n) put("d1-" + std::to_string(n) + ".wav"), put("d2-" + std::to_string(n) + ".wav");
    for (int n = 1; n <= pitched; ++n)
      for (const char* ins : {"bass", "lead", "accompany"}) put(ins + std::to_string(n) + ".wav");
  }
  // Every track plays in this phrase and the next.
  static void Unmute() {
    for (int t = 0; t < TRACK_FLAGS; ++t) SongState().muted[t] = SongState().next[t] = 0;
  }

  // Runs `ms` of frames of `frameMs` each, ticking the music once per frame; gathers the notes.
  void Run(int ms, int frameMs = 16) {
    for (int t = 0; t < ms; t += frameMs) {
      HeadlessAdvanceClock(frameMs);
      MusicTick();
      Gather();
    }
  }
  void Gather() {
    for (const SoundRecord& r : HeadlessSounds()) {
      if (r.kind == SoundRecord::STOP) stopped_.push_back(r.channel);
      if (r.kind == SoundRecord::CUE) {
        PlayedNote n;
        n.ms = Millis();
        n.sound = r.sound;
        n.channel = r.channel;
        for (int t = 0; t < TRACKS; ++t)
          if (SoundChannels[t] == r.channel) n.track = t;
        n.stoppedBefore = !stopped_.empty() && stopped_.back() == r.channel;
        stopped_.clear();
        notes.push_back(n);
      }
      if (notes.empty()) continue;
      PlayedNote& last = notes.back();
      if (r.channel != last.channel) continue;
      if (r.kind == SoundRecord::RATE) last.rate = r.value, last.rateSet = true;
      if (r.kind == SoundRecord::PAN) last.pan = r.value, last.panSet = true;
      if (r.kind == SoundRecord::VOLUME) last.volume = r.value;
    }
    HeadlessClearSounds();
  }
  std::vector<PlayedNote> OnTrack(int track) const {
    std::vector<PlayedNote> out;
    for (const PlayedNote& n : notes)
      if (n.track == track) out.push_back(n);
    return out;
  }

  std::vector<PlayedNote> notes;
  std::filesystem::path dir_;

 private:
  std::string home_;
  std::vector<int> stopped_;
};
