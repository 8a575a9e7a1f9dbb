#pragma once
// The character layout of the report: the report content as lines of plain
// 8-bit text, side-by-side tables made by filling with spaces. Every line
// ends with CR LF and carries no trailing white space.

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

class CProject;
class CReportTable;
class CTextLines;

// Fixed widths of the layout, in characters.
inline constexpr std::size_t kTextIndent = 5;       // indented blocks
inline constexpr std::size_t kTextRightEdge = 79;   // the customer block ends before it
inline constexpr std::size_t kTextNotesWidth = 74;  // wrap width of the notes
inline constexpr std::size_t kTextColumnGap = 2;    // after each table column

// Writes the whole report of the project as it is in memory.
void WriteTextReport(std::ostream& out, const CProject& project);
// The same report as bytes.
std::string TextReport(const CProject& project);

// Indent spaces and the text, without trailing white space, then CR LF; a
// CR or LF inside the text becomes a space.
void WriteLine(std::ostream& out, std::size_t indent, std::string_view text);
// WriteLine for each line in order.
void WriteLines(std::ostream& out, std::size_t indent, const CTextLines& lines);

// One line per table row; each column padded to its longest cell plus the
// gap. The padding stays, so every line has the same length.
CTextLines TableLines(const CReportTable& table);

// The right lines start at the column of the left block's longest line;
// the joined lines carry no trailing white space.
CTextLines JoinColumns(const CTextLines& left, const CTextLines& right);

// The left text, then the right text placed in a block of the given width
// (widened to the right text, at most `edge`) that ends just before `edge`.
// A left text reaching into the block runs directly into the right text.
std::string RightBlock(std::string_view left, std::size_t edge, std::size_t blockWidth,
                       std::string_view right);

// The distributor lines at the left and the customer lines against the
// right edge, side by side; when on some line the two would touch, every
// distributor line and then every customer line.
CTextLines AddressLines(const CTextLines& distributor, const CTextLines& customer);

// Notes wrapped at word boundaries to lines of at most `width` characters;
// the width grows to the longest word, so no word is split. Line breaks in
// the text always end a line, runs of spaces inside a line stay, control
// characters are dropped and no line carries trailing white space.
CTextLines WrapText(std::string_view text, std::size_t width);
