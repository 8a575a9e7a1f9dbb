#pragma once
// printf-style formatting and number scanning that always use the C locale,
// whatever locale the windowing toolkit has set for the process: stored and
// reported figures must not change with the user's decimal separator.

#include <string>

// Formats like snprintf in the "C" locale.
std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Reads one floating-point number from the start of text as the scan format
// "%lf%n" does (leading white space skipped). Returns false when no number can
// be read; otherwise stores the value and the count of characters consumed.
bool ScanDouble(const char* text, double& value, int& consumed);
