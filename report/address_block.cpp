#include "report/address_block.h"

#include "model/address.h"
#include "model/text_lines.h"

#include <string>

namespace
{
void AddIfAny(CTextLines& lines, const std::string& text)
{
  if (!text.empty())
    lines.Add(text);
}

void Join(std::string& line, const char* separator, const std::string& field)
{
  if (field.empty())
    return;
  if (!line.empty())
    line += separator;
  line += field;
}
} // namespace

void FormatAddressBlock(const CAddress& address, std::string_view reference, CTextLines& lines)
{
  lines.Clear();
  AddIfAny(lines, address.mName);
  AddIfAny(lines, address.mAddress1);
  AddIfAny(lines, address.mAddress2);
  std::string place = address.mCity;
  Join(place, ", ", address.mState);
  Join(place, ", ", address.mCountry);
  Join(place, "  ", address.mZip);
  AddIfAny(lines, place);
  if (!reference.empty())
    lines.Add("Reference: " + std::string(reference));
}
