#include "report/rtf_writer.h"

#include "model/project.h"
#include "model/text_lines.h"
#include "report/resources.h"
#include "report/text_report.h"
#include "text/printf.h"

#include <filesystem>

namespace
{
// The picture's display size: pixels at 96 per inch, in twips.
constexpr int kTwipsPerPixel = 1440 / 96;

const char kHex[] = "0123456789abcdef";

void AppendHexByte(std::string& out, unsigned char b)
{
  out += kHex[b >> 4];
  out += kHex[b & 0xF];
}

// The text as RTF body text, added to out: runs of plain characters are
// copied whole, the others escaped one by one.
void AppendEscaped(std::string& out, std::string_view text)
{
  std::size_t i = 0;
  while (i < text.size())
  {
    std::size_t plain = i;
    while (plain < text.size())
    {
      const unsigned char c = static_cast<unsigned char>(text[plain]);
      if (c < 0x20 || c >= 0x7F || c == '\\' || c == '{' || c == '}')
        break;
      ++plain;
    }
    out.append(text, i, plain - i);
    if (plain == text.size())
      break;
    const unsigned char c = static_cast<unsigned char>(text[plain]);
    if (c == '\\' || c == '{' || c == '}')
    {
      out += '\\';
      out += static_cast<char>(c);
    }
    else if (c == '\t')
    {
      out += "\\tab ";
    }
    else
    {
      out += "\\'";
      AppendHexByte(out, c);
    }
    i = plain + 1;
  }
}

// Everything before the report's lines: the font table and the picture
// paragraph, right-aligned; then the start of the report's paragraphs.
void AppendHead(std::string& rtf, std::span<const unsigned char> png, int width, int height)
{
  rtf += "{\\rtf1\\ansi\\ansicpg1252\\deff0"
         "{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset0 Courier New;}}\r\n"
         // Letter paper with three-quarter-inch margins: 7 inches of line,
         // so that the 79 columns of the report at 9 points (5.4 points a
         // character, under 6 inches) fit without the word processor wrapping.
         "\\paperw12240\\paperh15840\\margl1080\\margr1080\\margt1080\\margb1080\r\n"
         "\\viewkind4\\uc1\r\n";
  rtf += "\\pard\\plain\\qr\\f0\\fs18";
  if (!png.empty())
  {
    rtf += FormatC("{\\pict\\pngblip\\picw%d\\pich%d\\picwgoal%d\\pichgoal%d\r\n", width, height,
                   width * kTwipsPerPixel, height * kTwipsPerPixel);
    std::size_t column = 0;
    for (unsigned char b : png)
    {
      AppendHexByte(rtf, b);
      if (++column == 64)
      {
        rtf += "\r\n";
        column = 0;
      }
    }
    rtf += "}";
  }
  rtf += "\\par\r\n";
  // The report, one left-aligned paragraph per line.
  rtf += "\\pard\\plain\\ql\\f0\\fs18 ";
}

void AppendLine(std::string& rtf, std::string_view line)
{
  AppendEscaped(rtf, line);
  rtf += "\\par\r\n";
}
} // namespace

std::string RtfEscape(std::string_view text)
{
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  AppendEscaped(out, text);
  return out;
}

std::string RtfDocument(std::span<const unsigned char> png, int width, int height,
                        const CTextLines& lines)
{
  std::string rtf;
  rtf.reserve(png.size() * 2 + 64 * lines.Count() + 512);
  AppendHead(rtf, png, width, height);
  for (std::size_t i = 0; i < lines.Count(); ++i)
    AppendLine(rtf, lines[i]);
  rtf += "}\r\n";
  return rtf;
}

std::string RtfReport(const CProject& project)
{
  const std::span<const unsigned char> png = EmbeddedResource("report_small.png");
  const std::string text = TextReport(project);
  std::string rtf;
  rtf.reserve(png.size() * 2 + text.size() + text.size() / 4 + 512);
  AppendHead(rtf, png, kReportPictureWidth, kReportPictureHeight);
  // The lines of the report bytes, split at CR LF; a line break inside a
  // line (which the layout never writes on its own) stays part of that line
  // and is escaped.
  const std::string_view all(text);
  std::size_t start = 0;
  while (start < all.size())
  {
    const std::size_t end = all.find("\r\n", start);
    if (end == std::string_view::npos)
    {
      AppendLine(rtf, all.substr(start));
      break;
    }
    AppendLine(rtf, all.substr(start, end - start));
    start = end + 2;
  }
  rtf += "}\r\n";
  return rtf;
}

std::string ReportFilePath(const CProject& project, const std::string& folder)
{
  const std::filesystem::path base = folder.empty() ? std::filesystem::path(".")
                                                    : std::filesystem::path(folder);
  return (base / (project.mName + ".rtf")).string();
}

std::string TextFileReportMessage(std::string_view fullPath)
{
  return "The text file version of the report was created and saved as " +
         std::string(fullPath) + ".";
}
