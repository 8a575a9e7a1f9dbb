#include "model/text_lines.h"

bool CTextLines::Get(std::size_t i, std::string& out) const
{
  if (i >= mLines.size())
  {
    out.clear();
    return false;
  }
  out = mLines[i];
  return true;
}

std::size_t CTextLines::MaxLength() const
{
  std::size_t n = 0;
  for (const std::string& line : mLines)
    if (line.size() > n)
      n = line.size();
  return n;
}

void CTextLines::Append(const CTextLines& other)
{
  mLines.insert(mLines.end(), other.mLines.begin(), other.mLines.end());
}
