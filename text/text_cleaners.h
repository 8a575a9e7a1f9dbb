#pragma once
// Tidying typed text: names fit for a file, runs of blanks, padding.

#include <cstddef>
#include <string>
#include <string_view>

// Keeps the leading run of characters allowed in a file name, collapses runs
// of spaces, cuts to 255 characters and trims trailing white space.
std::string CleanFileName(std::string_view text);

// Drops separators (anything not visible) at both ends and turns every inner
// run of separators into one space.
std::string CollapseSpaces(std::string_view text);

// The text followed by spaces up to `width` characters.
std::string PadRight(std::string_view text, std::size_t width);
