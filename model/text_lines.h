#pragma once
// An ordered list of text lines: error labels, report lines, summaries.

#include <cstddef>
#include <string>
#include <vector>

class CTextLines
{
public:
  void Clear() { mLines.clear(); }
  void Add(std::string line) { mLines.push_back(std::move(line)); }
  // Copies line i into out; false (out emptied) past the end.
  bool Get(std::size_t i, std::string& out) const;
  const std::string& operator[](std::size_t i) const { return mLines[i]; }
  std::size_t Count() const { return mLines.size(); }
  bool Empty() const { return mLines.empty(); }
  // Length in characters of the longest line; 0 for an empty list.
  std::size_t MaxLength() const;
  void Append(const CTextLines& other);

  const std::vector<std::string>& Lines() const { return mLines; }
  auto begin() const { return mLines.begin(); }
  auto end() const { return mLines.end(); }

private:
  std::vector<std::string> mLines;
};
