#pragma once
// The lines a report prints for a customer or a distributor.

#include <string_view>

struct CAddress;
class CTextLines;

// Name, the two street lines, the combined line "City, State, Country  Zip"
// and "Reference: %s", each only when not empty. Separators stand only after
// text: an address of a city and a zip gives "City  Zip".
void FormatAddressBlock(const CAddress& address, std::string_view reference, CTextLines& lines);
