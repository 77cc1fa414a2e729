// Score timestamps: a date and time packed into one 64-bit number, and the texts shown for it.
// Packing: ((year * 12 + month) * 31 + day) * 86400 + hours * 3600 + minutes * 60 + seconds.
// It orders moments correctly but is not a count of seconds.
#pragma once

#include <cstdint>
#include <string>

// dateText as "%d %b %Y" ("07 Dec 2010"); empty means today. The time is always the current one.
int64_t MakeTimestamp(const std::string& dateText);
// The same packing from given parts (MakeTimestamp's arithmetic; also for tests).
int64_t PackTimestamp(int year, int month, int day, int hours, int minutes, int seconds);
std::string TimeText(int64_t t);  // "HH:MM:SS"
std::string DateText(int64_t t);  // "DD-MM-YYYY"
// 1 when bit n (1 = lowest) of value is set; 0 for any n outside 1 to 32.
int BitSet(int value, int n);
