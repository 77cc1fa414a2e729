// The seedable random generator: the minimal-standard multiplicative generator (multiplier 48271,
// modulus 2^31 - 1). The music replays a song from its seed, so the exact sequence is part of the
// behaviour: seeding, stepping and both draws must not change.
#include <cstdint>

#include "media/media.h"

namespace {

constexpr int32_t MODULUS = 0x7FFFFFFF;  // 2^31 - 1
constexpr int32_t MULTIPLIER = 48271;
constexpr int32_t SCHRAGE_Q = 44488;  // MODULUS / MULTIPLIER
constexpr int32_t SCHRAGE_R = 3399;   // MODULUS % MULTIPLIER
constexpr int32_t START_STATE = 4660;

int32_t gRandomState = START_STATE;  // the generator state, 1 .. MODULUS - 1; never reset by MediaInit

// One step. Schrage's form keeps every product inside 32 bits.
int32_t Step(int32_t& state) {
  int32_t hi = state / SCHRAGE_Q;
  int32_t lo = state % SCHRAGE_Q;
  int32_t next = MULTIPLIER * lo - SCHRAGE_R * hi;
  if (next < 0) next += MODULUS;
  state = next;
  return next;
}

int32_t SeedState(int seed) {
  int32_t s = static_cast<int32_t>(static_cast<uint32_t>(seed) & 0x7FFFFFFFu);
  // 0 and the modulus are fixed points of the step: the generator would stick.
  return (s == 0 || s == MODULUS) ? START_STATE : s;
}

double UnitOf(int32_t& state) {
  // Two states make 53 bits; every term is exact in a double, so the draw is in [0, 1).
  double s1 = static_cast<double>(Step(state) & 0x1FFFFFFC);
  double s2 = static_cast<double>(Step(state) & 0x1FFFFFF8);
  return (s1 + s2 / 134217728.0) / 536870912.0;  // 2^27, 2^29
}

int RangeOf(int32_t& state, int lo, int hi) {
  // The span may be 2^32 (Rand(INT_MIN, INT_MAX)): count in 64 bits.
  int64_t base = hi > lo ? lo : hi;
  int64_t span = hi > lo ? int64_t{hi} - lo + 1 : 1 - (int64_t{hi} - lo);
  int64_t offset = static_cast<int64_t>(UnitOf(state) * static_cast<double>(span));
  if (offset >= span) offset = span - 1;  // the draw is below 1, but stay inside whatever happens
  return static_cast<int>(base + offset);
}

}  // namespace

void SeedRnd(int seed) { gRandomState = SeedState(seed); }

int RndSeed() { return gRandomState; }

double RndUnit() { return UnitOf(gRandomState); }

double Rnd(double a, double b) { return a + (b - a) * RndUnit(); }

int Rand(int lo, int hi) { return RangeOf(gRandomState, lo, hi); }

void SeedStream(RandomStream& r, int seed) { r.state = SeedState(seed); }

double StreamRnd(RandomStream& r, double a, double b) { return a + (b - a) * UnitOf(r.state); }

int StreamRand(RandomStream& r, int lo, int hi) { return RangeOf(r.state, lo, hi); }
