// Timestamp packing and its date and time texts.
#include "common/timestamp.h"

#include "media/media.h"

namespace {

const char* const MONTHS[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// The last `digits` characters of zeros followed by n.
std::string Padded(int64_t n, int digits) { return Right(std::string(static_cast<size_t>(digits), '0') + IntText(n), digits); }

}  // namespace

int64_t PackTimestamp(int year, int month, int day, int hours, int minutes, int seconds) {
  // Unsigned arithmetic: parts read from absurd text wrap instead of overflowing.
  uint64_t t = (static_cast<uint64_t>(static_cast<int64_t>(year)) * 12 + static_cast<uint64_t>(static_cast<int64_t>(month))) * 31;
  t = (t + static_cast<uint64_t>(static_cast<int64_t>(day))) * 86400;
  t += static_cast<uint64_t>(static_cast<int64_t>(hours) * 3600 + static_cast<int64_t>(minutes) * 60 + seconds);
  return static_cast<int64_t>(t);
}

int64_t MakeTimestamp(const std::string& dateText) {
  std::string date = Upper(dateText.empty() ? CurrentDate() : dateText);
  int day = ToInt(Mid(date, 1, 2));
  int month = 0;
  std::string name = Mid(date, 4, 3);
  for (int i = 0; i < 12; ++i)
    if (name == MONTHS[i]) month = i + 1;
  int year = ToInt(Mid(date, 8, 4));
  std::string time = CurrentTime();
  return PackTimestamp(year, month, day, ToInt(Mid(time, 1, 2)), ToInt(Mid(time, 4, 2)), ToInt(Mid(time, 7, 2)));
}

std::string TimeText(int64_t t) {
  return Padded((t / 3600) % 24, 2) + ":" + Padded((t / 60) % 60, 2) + ":" + Padded(t % 60, 2);
}

std::string DateText(int64_t t) {
  int64_t days = t / 86400;
  int64_t day = (days - 1) % 31 + 1;
  int64_t q = (days - day) / 31;
  int64_t month = (q - 1) % 12 + 1;
  int64_t year = (q - month) / 12;
  return Padded(day, 2) + "-" + Padded(month, 2) + "-" + Padded(year, 4);
}

int BitSet(int value, int n) {
  if (n < 1 || n > 32) return 0;
  return static_cast<int>((static_cast<uint32_t>(value) >> (n - 1)) & 1u);
}
