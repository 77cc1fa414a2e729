// The game's sound effects and the badge jingle.
#include "gen_assets/makers.h"

namespace art {

// The game's effects, numbered as the game plays them.
Sound MakeEffect(int n) {
  switch (n) {
    case 1: {  // a hat picked up from the board: two bright plinks going up
      Sound s(0.42f);
      AddTone(s, 0.00f, 0.3f, [](float) { return Note(19); }, [](float t) { return Env(t, 0.003f, 0.07f); }, {1, 0.0f, 0.3f});
      AddTone(s, 0.08f, 0.34f, [](float) { return Note(26); }, [](float t) { return Env(t, 0.003f, 0.10f); }, {1, 0.0f, 0.3f});
      return s;
    }
    case 2: {  // safe landing: a soft "pof", with enough body to be heard on small speakers
      Sound s(0.26f);
      AddTone(s, 0, 0.26f, [](float t) { return 60 + 140 * std::exp(-t / 0.035f); }, [](float t) { return Env(t, 0.002f, 0.06f); });
      AddTone(s, 0, 0.12f, [](float t) { return 320 - 900 * t; }, [](float t) { return 0.45f * Env(t, 0.002f, 0.03f); }, {1, 0.3f});
      AddNoise(s, 0, 0.08f, 21, [](float t) { return 1800 * std::exp(-t / 0.02f) + 300; }, [](float t) { return 1.2f * Env(t, 0.001f, 0.025f); });
      return s;
    }
    case 3: {  // the hard hat strikes the wall: a clanging "donk"
      Sound s(0.7f);
      AddPartials(s, 0, 196, {{{1.0f, 0.6f, 0.30f}}, {{2.76f, 0.45f, 0.18f}}, {{5.40f, 0.30f, 0.10f}}, {{8.93f, 0.18f, 0.06f}}, {{13.3f, 0.1f, 0.04f}}});
      AddTone(s, 0, 0.2f, [](float t) { return 90 + 60 * std::exp(-t / 0.02f); }, [](float t) { return 0.8f * Env(t, 0.001f, 0.05f); });
      AddNoise(s, 0, 0.03f, 33, [](float) { return 6000.0f; }, [](float t) { return Env(t, 0.0005f, 0.008f); });
      return s;
    }
    case 4: {  // stepping off an edge: a falling slide whistle, "whoops"
      Sound s(0.5f);
      AddTone(s, 0, 0.5f, [](float t) { return 350 + 650 * std::exp(-t / 0.18f) + 12 * std::sin(2 * PI * 7 * t); },
              [](float t) { return std::min(1.0f, t / 0.02f) * std::min(1.0f, (0.5f - t) / 0.12f); }, {1, 0.12f});
      return s;
    }
    case 5: {  // fatal landing: a wet splat
      Sound s(0.55f);
      AddTone(s, 0, 0.3f, [](float t) { return 40 + 70 * std::exp(-t / 0.05f); }, [](float t) { return Env(t, 0.002f, 0.09f); });
      AddNoise(s, 0, 0.5f, 51, [](float t) { return 300 + 2600 * std::exp(-t / 0.08f); },
               [](float t) { return 1.4f * Env(t, 0.002f, 0.12f) * (0.6f + 0.4f * std::sin(2 * PI * 31 * t)); }, 0.35f);
      return s;
    }
    case 6: {  // rubber hat bounce: "boing"
      Sound s(0.62f);
      AddTone(s, 0, 0.62f, [](float t) { return 170 + 200 * (1 - std::exp(-t / 0.15f)) + 60 * std::sin(2 * PI * 11 * t) * std::exp(-t / 0.25f); },
              [](float t) { return Env(t, 0.004f, 0.22f); }, {1, 0.25f, 0.12f});
      return s;
    }
    case 7: {  // a tickle: three quick giggling chirps
      Sound s(0.38f);
      for (int k = 0; k < 3; k++) {
        float base = 850 + 90 * k;
        AddTone(s, 0.02f + k * 0.12f, 0.1f, [=](float t) { return base + 2600 * t + 80 * std::sin(2 * PI * 35 * t); },
                [](float t) { return std::sin(PI * std::min(t / 0.09f, 1.0f)); }, {1, 0.45f, 0.2f});
      }
      return s;
    }
    case 8: {  // down the hole: a swirling drop with a bubbly tremolo and a closing bloop
      Sound s(0.9f);
      AddTone(s, 0, 0.75f, [](float t) { return 150 + 650 * std::exp(-t / 0.3f); },
              [](float t) { return std::min(1.0f, t / 0.03f) * (0.65f + 0.35f * std::sin(2 * PI * 14 * t)) * std::exp(-t / 0.5f); }, {1, 0.3f});
      AddNoise(s, 0, 0.7f, 81, [](float t) { return 400 + 1500 * std::exp(-t / 0.25f); }, [](float t) { return 0.5f * Env(t, 0.05f, 0.25f); }, 0.3f);
      AddTone(s, 0.72f, 0.18f, [](float t) { return 220 + 500 * t; }, [](float t) { return 0.8f * Env(t, 0.003f, 0.05f); });
      return s;
    }
    case 9: {  // a hat taken from the panel: a short rising pick
      Sound s(0.16f);
      AddTone(s, 0, 0.16f, [](float t) { return 600 + 2200 * t; }, [](float t) { return Env(t, 0.004f, 0.04f); }, {1, 0.3f, 0.1f});
      return s;
    }
    case 10: {  // a hat lands on a walker: pop, then a little sparkle
      Sound s(0.4f);
      AddTone(s, 0, 0.06f, [](float t) { return 380 + 9000 * t; }, [](float t) { return Env(t, 0.001f, 0.02f); });
      AddTone(s, 0.05f, 0.35f, [](float) { return Note(27); }, [](float t) { return 0.55f * Env(t, 0.002f, 0.08f); }, {1, 0, 0.2f});
      AddTone(s, 0.11f, 0.29f, [](float) { return Note(34); }, [](float t) { return 0.45f * Env(t, 0.002f, 0.07f); }, {1, 0, 0.2f});
      return s;
    }
    case 11: {  // a dragged hat goes back to its stock: a soft falling blip
      Sound s(0.2f);
      AddTone(s, 0, 0.2f, [](float t) { return 700 * std::exp(-t / 0.12f) + 200; }, [](float t) { return Env(t, 0.003f, 0.05f); }, {1, 0.2f});
      return s;
    }
    default: return Sound(0.1f);
  }
}

// The badge jingle: a bright arpeggio settling on a shimmering major chord.
Sound MakeJingle() {
  Sound s(1.9f);
  const float notes[5] = {3, 7, 10, 15, 19};  // C5 E5 G5 C6 E6, in semitones from A4
  for (int k = 0; k < 5; k++) {
    float f = Note(notes[k]);
    AddPartials(s, 0.09f * k, f, {{{1.0f, 0.5f, 0.35f}}, {{2.0f, 0.22f, 0.2f}}, {{3.0f, 0.1f, 0.12f}}, {{4.07f, 0.05f, 0.08f}}});
  }
  for (float st : {15.0f, 19.0f, 22.0f, 27.0f})
    AddTone(s, 0.5f, 1.4f, [=](float t) { return Note(st) * (1 + 0.003f * std::sin(2 * PI * 5.5f * t)); },
            [](float t) { return 0.3f * std::min(1.0f, t / 0.02f) * std::exp(-t / 0.45f); }, {1, 0.3f, 0.1f});
  return s;
}

}  // namespace art
