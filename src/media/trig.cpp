// Trigonometry in degrees: the engine and the game keep every angle in degrees.
#include <cmath>
#include <numbers>

#include "media/media.h"

namespace {

constexpr double RAD_PER_DEG = std::numbers::pi / 180.0;
constexpr double DEG_PER_RAD = 180.0 / std::numbers::pi;

}  // namespace

double SinDeg(double deg) { return std::sin(deg * RAD_PER_DEG); }
double CosDeg(double deg) { return std::cos(deg * RAD_PER_DEG); }
double TanDeg(double deg) { return std::tan(deg * RAD_PER_DEG); }
double ASinDeg(double v) { return std::asin(v) * DEG_PER_RAD; }
double ACosDeg(double v) { return std::acos(v) * DEG_PER_RAD; }
double ATanDeg(double v) { return std::atan(v) * DEG_PER_RAD; }
double ATan2Deg(double y, double x) { return std::atan2(y, x) * DEG_PER_RAD; }
