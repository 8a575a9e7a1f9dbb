#include "report/text_report.h"

#include "model/area.h"
#include "model/project.h"
#include "model/text_lines.h"
#include "report/address_block.h"
#include "report/report_content.h"
#include "report/report_table.h"
#include "text/charset.h"
#include "text/text_cleaners.h"

#include <algorithm>
#include <sstream>

namespace
{
std::string TrimRight(std::string text)
{
  std::size_t end = text.size();
  while (end > 0 && IsSpace1252(text[end - 1]))
    --end;
  text.resize(end);
  return text;
}

bool IsWordCharacter(char c) { return IsVisible1252(c); }

std::size_t LongestWord(std::string_view text)
{
  std::size_t longest = 0;
  std::size_t run = 0;
  for (char c : text)
  {
    if (IsWordCharacter(c))
      longest = std::max(longest, ++run);
    else if (IsSpace1252(c))
      run = 0;
    // A control character is dropped and so does not end the word.
  }
  return longest;
}

CTextLines OneLine(std::string text)
{
  CTextLines lines;
  lines.Add(std::move(text));
  return lines;
}

// The volume's section: title, errors, devices beside the right-hand column
// of tables, and its notes.
void WriteVolume(std::ostream& out, const CArea& area)
{
  CReportTable table;
  CTextLines lines;

  WriteLine(out, 0, VolumeTitle(area));
  WriteLine(out, 0, "");

  if (AreaErrorLines(area, lines))
  {
    WriteLines(out, kTextIndent, lines);
    WriteLine(out, 0, "");
  }

  CTextLines right;
  BuildSummaryTable(area, table);
  right.Append(TableLines(table));
  right.Add("");
  BuildDimensionsTable(area, table);
  right.Append(TableLines(table));
  right.Add("");
  BuildFactorsTable(area, table);
  right.Append(TableLines(table));
  right.Add("");
  BuildOpeningsTable(area.mVentTable, table);
  right.Append(TableLines(table));

  BuildDevicesTable(DeviceTotals(area.mDevice), table);
  const CTextLines devices = TableLines(table);
  WriteLines(out, kTextIndent, JoinColumns(devices, right));
  WriteLine(out, 0, "");

  if (area.mIncludeNotes && !area.mNotes.empty())
  {
    const std::string label = PadRight("Volume Notes:", devices.MaxLength());
    const std::size_t used = label.size() + kTextColumnGap;
    const std::size_t width = used < kTextNotesWidth ? kTextNotesWidth - used : 1;
    WriteLines(out, kTextIndent, JoinColumns(OneLine(label), WrapText(area.mNotes, width)));
    WriteLine(out, 0, "");
  }
}
} // namespace

void WriteLine(std::ostream& out, std::size_t indent, std::string_view text)
{
  // The line is put together in one buffer kept for the thread, so that a
  // report of thousands of volumes does not allocate a string per line.
  thread_local std::string line;
  line.clear();
  std::size_t end = text.size();
  while (end > 0 && IsSpace1252(text[end - 1]))
    --end;
  // Blank text leaves no indent either: the line carries no trailing white space.
  if (end > 0)
  {
    line.append(indent, ' ');
    const std::size_t from = line.size();
    line.append(text.substr(0, end));
    // A line break inside a text (only a damaged or hand-made file holds one,
    // in a name) would start a line the layout never planned; it is a space.
    std::replace_if(line.begin() + static_cast<std::ptrdiff_t>(from), line.end(),
                    [](char c) { return c == '\r' || c == '\n'; }, ' ');
  }
  line += "\r\n";
  out.write(line.data(), static_cast<std::streamsize>(line.size()));
}

void WriteLines(std::ostream& out, std::size_t indent, const CTextLines& lines)
{
  for (const std::string& line : lines)
    WriteLine(out, indent, line);
}

CTextLines TableLines(const CReportTable& table)
{
  std::vector<std::size_t> widths(table.ColumnCount(), 0);
  const std::size_t rows = table.RowCount();
  for (std::size_t c = 0; c < widths.size(); ++c)
  {
    for (std::size_t r = 0; r < rows; ++r)
      widths[c] = std::max(widths[c], table.Cell(c, r).size());
    widths[c] += kTextColumnGap;
  }
  std::size_t total = 0;
  for (std::size_t w : widths)
    total += w;
  CTextLines lines;
  for (std::size_t r = 0; r < rows; ++r)
  {
    std::string line;
    line.reserve(total);
    for (std::size_t c = 0; c < widths.size(); ++c)
    {
      const std::string& cell = table.Cell(c, r);
      line += cell;
      line.append(widths[c] - cell.size(), ' ');
    }
    lines.Add(std::move(line));
  }
  return lines;
}

CTextLines JoinColumns(const CTextLines& left, const CTextLines& right)
{
  const std::size_t width = left.MaxLength();
  const std::size_t count = std::max(left.Count(), right.Count());
  CTextLines lines;
  for (std::size_t i = 0; i < count; ++i)
  {
    std::string line;
    line.reserve(width + (i < right.Count() ? right[i].size() : 0));
    if (i < left.Count())
      line = left[i];
    if (line.size() < width)
      line.append(width - line.size(), ' ');
    if (i < right.Count())
      line += right[i];
    while (!line.empty() && IsSpace1252(line.back()))
      line.pop_back();
    lines.Add(std::move(line));
  }
  return lines;
}

std::string RightBlock(std::string_view left, std::size_t edge, std::size_t blockWidth,
                       std::string_view right)
{
  const std::size_t width = std::min(std::max(blockWidth, right.size()), edge);
  return PadRight(left, edge - width) + std::string(right);
}

CTextLines WrapText(std::string_view text, std::size_t width)
{
  width = std::max(width, LongestWord(text));
  CTextLines lines;
  std::string line;
  std::string word;
  auto emit = [&] {
    lines.Add(TrimRight(std::move(line)));
    line.clear();
  };
  // Moves the pending word onto the line, first ending the line when the
  // word does not fit. Without a word nothing has to fit: white space left at
  // the end of a full line (the CR of a CR LF break) must not push out an
  // empty line of its own.
  auto place = [&] {
    if (word.empty())
      return;
    if (line.size() + word.size() > width)
      emit();
    line += word;
    word.clear();
  };
  for (char c : text)
  {
    if (IsWordCharacter(c))
    {
      word += c;
    }
    else if (c == '\n')
    {
      place();
      emit();
    }
    else if (IsSpace1252(c))
    {
      place();
      line += c;
    }
    // Anything else is a control character and is dropped.
  }
  place();
  if (!line.empty())
    emit();
  return lines;
}

void WriteTextReport(std::ostream& out, const CProject& project)
{
  CReportTable table;
  CTextLines lines;

  BuildIdentityTable(project, table);
  WriteLines(out, 0, TableLines(table));
  if (!table.Empty())
    WriteLine(out, 0, "");

  CTextLines distributor;
  CTextLines customer;
  FormatAddressBlock(project.mDistributor, project.mDistributor_Reference, distributor);
  FormatAddressBlock(project.mCustomer, project.mCustomer_Reference, customer);
  WriteLines(out, 0, AddressLines(distributor, customer));
  WriteLine(out, 0, "");

  WriteLine(out, 0, "Totals:");
  WriteLine(out, 0, "");

  if (ProjectErrorLines(project, lines))
  {
    WriteLines(out, kTextIndent, lines);
    WriteLine(out, 0, "");
  }

  BuildDevicesTable(ProjectDeviceTotals(project), table);
  const CTextLines devices = TableLines(table);
  BuildVolumesTable(project.mAreaTable, table);
  WriteLines(out, kTextIndent, JoinColumns(devices, TableLines(table)));
  WriteLine(out, 0, "");

  if (project.mIncludeNotes && !project.mNotes.empty())
  {
    WriteLine(out, 0, "Project Notes:");
    WriteLine(out, 0, "");
    WriteLines(out, kTextIndent, WrapText(project.mNotes, kTextNotesWidth));
    WriteLine(out, 0, "");
  }

  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
    WriteVolume(out, *project.mAreaTable.Get(i));
}

CTextLines AddressLines(const CTextLines& distributor, const CTextLines& customer)
{
  const std::size_t blockWidth = customer.MaxLength();
  const std::size_t count = std::max(distributor.Count(), customer.Count());
  // Side by side, unless on some line no space would be left between the
  // two texts: then the customer block stands below the distributor block.
  bool sideBySide = true;
  for (std::size_t i = 0; i < count && sideBySide; ++i)
  {
    const std::string& left = i < distributor.Count() ? distributor[i] : std::string();
    const std::string& right = i < customer.Count() ? customer[i] : std::string();
    const std::size_t width = std::min(std::max(blockWidth, right.size()), kTextRightEdge);
    sideBySide = right.empty() || left.size() < kTextRightEdge - width;
  }
  CTextLines lines;
  if (sideBySide)
  {
    for (std::size_t i = 0; i < count; ++i)
      lines.Add(RightBlock(i < distributor.Count() ? distributor[i] : std::string(), kTextRightEdge,
                           blockWidth, i < customer.Count() ? customer[i] : std::string()));
    return lines;
  }
  for (const std::string& left : distributor)
    lines.Add(RightBlock(left, kTextRightEdge, blockWidth, ""));
  for (const std::string& right : customer)
    lines.Add(RightBlock("", kTextRightEdge, blockWidth, right));
  return lines;
}

std::string TextReport(const CProject& project)
{
  std::ostringstream out;
  WriteTextReport(out, project);
  return std::move(out).str();
}
