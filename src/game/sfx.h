// The sound-effect player that every game event goes through.
#pragma once

// Sound effects of the game, by their slot in the effect bank (SoundEffects).
enum Sfx {
  SFX_PICKUP = 1,    // a walker picks up a hat lying on the board
  SFX_LAND = 2,      // safe landing
  SFX_STRIKE = 3,    // Hard Hat strikes the wall block
  SFX_STEP_OFF = 4,  // a walker steps off an edge
  SFX_SPLAT = 5,     // fatal landing
  SFX_BOUNCE = 6,    // Rubber Hat bounce
  SFX_TICKLE = 7,    // a walker is clicked
  SFX_EXIT = 8,      // a walker goes down a hole
  SFX_TAKE_HAT = 9,  // a hat is taken from the side panel
  SFX_DROP_HAT = 10, // a hat is dropped on a walker
  SFX_RETURN_HAT = 11  // a dragged hat goes back to the stock
};

// Plays effect `index` on the next channel slot of the ring 20..255, stopping whatever still
// plays there. Volume is limited to 0..1, rate to 0.25..4, pan to -1..1, and the volume heard is
// scaled by the master and sound settings. Nothing happens, and the ring does not move, when the
// sound setting is 0 or the bank slot is empty.
void PlaySfx(int index, float rate = 1, float volume = 1, float pan = 0);

// Names every effect of the game that the bank lacks (its file missing or damaged) through the
// media layer's load-failure hook; the game folder is current.
void ReportMissingSfx();
