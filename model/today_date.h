#pragma once
// The date a project is stamped with when it is named.

#include <string>

// Today's local date in the locale's short form ("%x"); empty if it cannot be formed.
std::string TodayDate();
