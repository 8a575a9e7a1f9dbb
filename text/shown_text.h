#pragma once
// Text from a file, made safe to put into a message: a terminal or a dialog
// shows what the file holds and never acts on it. Control characters (C0,
// DEL and C1), line breaks, escape sequences, NUL and the marks that turn
// the direction of writing are written as "\xNN" (tab, line feed and
// carriage return as "\t", "\n" and "\r"), "\u{...}" for a code point above
// 0xFF; every other character stays as it is. A backslash is not doubled:
// a text that is already shown this way comes back unchanged, so a message
// can pass through more than one place that shows it.

#include <string>
#include <string_view>

// A text that should be UTF-8 (a CSV cell, a message, a path). A byte that
// does not belong to a valid UTF-8 character is read as Windows-1252, as
// spreadsheets still write it, and an undefined one is shown as "\xNN".
std::string ShownText(std::string_view utf8);

// The same for a text in the program's character set (a name or note of a
// project file), for a message in that character set: the result is
// Windows-1252 too, its letters as they were, control characters and the
// five codes the set leaves undefined shown as "\xNN".
std::string Shown1252(std::string_view cp1252);
