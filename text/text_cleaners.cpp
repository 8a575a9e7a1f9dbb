#include "text/text_cleaners.h"

#include "text/charset.h"

namespace
{
bool IsForbiddenInFileName(char c)
{
  switch (c)
  {
  case '"':
  case '*':
  case '/':
  case ':':
  case '<':
  case '>':
  case '?':
  case '\\':
  case '|':
    return true;
  default:
    return false;
  }
}

void TrimTrailingSpace(std::string& text)
{
  while (!text.empty() && IsSpace1252(text.back()))
    text.pop_back();
}
} // namespace

std::string CleanFileName(std::string_view text)
{
  std::string out;
  bool pendingSpace = false;
  for (char c : text)
  {
    bool accepted = c == ' ' || (IsVisible1252(c) && !IsForbiddenInFileName(c));
    if (!accepted)
      break;
    if (c == ' ')
    {
      pendingSpace = !out.empty();
      continue;
    }
    if (pendingSpace)
      out += ' ';
    pendingSpace = false;
    out += c;
  }
  if (out.size() > 255)
    out.resize(255);
  TrimTrailingSpace(out);
  return out;
}

std::string CollapseSpaces(std::string_view text)
{
  std::string out;
  out.reserve(text.size());
  bool pendingSeparator = false;
  for (char c : text)
  {
    if (!IsVisible1252(c))
    {
      pendingSeparator = !out.empty();
      continue;
    }
    if (pendingSeparator)
      out += ' ';
    pendingSeparator = false;
    out += c;
  }
  return out;
}

std::string PadRight(std::string_view text, std::size_t width)
{
  std::string out(text);
  if (out.size() < width)
    out.append(width - out.size(), ' ');
  return out;
}
