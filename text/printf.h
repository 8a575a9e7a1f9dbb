#pragma once
// printf-style formatting and number scanning that always use the C locale,
// whatever locale the windowing toolkit has set for the process: stored and
// reported figures must not change with the user's decimal separator.

#include <cstdint>
#include <string>

// Formats like snprintf in the "C" locale.
std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Reads one floating-point number from the start of text as the scan format
// "%lf%n" does (leading white space skipped). Returns false when no number can
// be read; otherwise stores the value and the count of characters consumed.
bool ScanDouble(const char* text, double& value, int& consumed);

// The same texts as FormatC("%.*f", precision, value) and FormatC("%g",
// value), made without printf: reports and dumps format millions of figures.
std::string FormatFixed(double value, int precision);
void AppendFixed(std::string& out, double value, int precision);
void AppendGeneral(std::string& out, double value);
// FormatC("%u") and FormatC("%llu") of the number.
void AppendUnsigned(std::string& out, std::uint64_t value);
