// The millisecond clock, sleeping, and the date and time texts. The headless back end answers
// with its fake clock, which only sleeping and the test move.
#include <SDL.h>

#include <clocale>
#include <ctime>

#include "media/internal.h"

namespace {

// Formatted in the C locale (English month names), whatever locale the process runs under.
std::string FormatNow(const char* format) {
  static const locale_t C_LOCALE = newlocale(LC_ALL_MASK, "C", locale_t{});
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (!localtime_r(&now, &local)) return "";
  char buf[64];
  const size_t n = C_LOCALE ? strftime_l(buf, sizeof buf, format, &local, C_LOCALE)
                            : std::strftime(buf, sizeof buf, format, &local);
  return std::string(buf, n);
}

}  // namespace

int Millis() {
  if (MediaBackendInUse() == MEDIA_HEADLESS) return HeadlessMillis();
  // Only the low 32 bits count: the clock wraps as a signed 32-bit number.
  return static_cast<int32_t>(static_cast<uint32_t>(SDL_GetTicks64()));
}

void Delay(int ms) {
  if (ms <= 0) return;
  if (MediaBackendInUse() == MEDIA_HEADLESS) {
    HeadlessDelay(ms);
    return;
  }
  SDL_Delay(static_cast<uint32_t>(ms));
}

std::string CurrentDate() { return FormatNow("%d %b %Y"); }
std::string CurrentTime() { return FormatNow("%H:%M:%S"); }
