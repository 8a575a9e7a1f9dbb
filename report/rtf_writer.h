#pragma once
// The rich-text report file: a right-aligned first paragraph holding the
// small report picture, then every line of the character layout as its own
// left-aligned paragraph in "Courier New" at 9 points.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

class CProject;
class CTextLines;

// Size of the small report picture in pixels.
inline constexpr int kReportPictureWidth = 133;
inline constexpr int kReportPictureHeight = 25;

// The text as RTF body text under \ansicpg1252: backslash and braces
// escaped, tabs as \tab, other control characters and every byte above 0x7F
// as \'hh, so that no text can be read as a control word.
std::string RtfEscape(std::string_view text);

// A whole RTF document: the PNG picture (of the given size in pixels; no
// picture paragraph content when the bytes are empty) and the lines.
std::string RtfDocument(std::span<const unsigned char> png, int width, int height,
                        const CTextLines& lines);

// The report file's bytes for the project as it is in memory.
std::string RtfReport(const CProject& project);

// "<folder>/<name>.rtf"; the current folder when folder is empty.
std::string ReportFilePath(const CProject& project, const std::string& folder);

// The text of the "Information" message that tells where the file went.
std::string TextFileReportMessage(std::string_view fullPath);
