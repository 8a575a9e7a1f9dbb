#pragma once
// The order in which a person reads names: runs of digits compare by their
// value ("Room 2" before "Room 10", "Room 02" beside "Room 2"), letters
// without regard to case, other bytes by their value. Names equal in that
// reading compare by their bytes, so the order is total and the same on
// every machine, whatever its locale.

#include <string_view>

// Negative, zero or positive as a goes before, with or after b.
int NaturalCompare(std::string_view a, std::string_view b);
