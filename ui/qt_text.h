#pragma once
// Conversion between Qt's Unicode strings and the program's Windows-1252
// texts, and between Qt strings and paths in the file system's encoding.

#include "text/charset.h"

#include <QFile>
#include <QString>
#include <string>
#include <string_view>

inline QString ToQt(std::string_view cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }

// Characters Windows-1252 cannot hold are left out; `lost` tells the caller
// so that it can say so to the user instead of storing something else.
inline std::string FromQt(const QString& text, bool* lost = nullptr)
{
  return Utf8ToCp1252(text.toStdString(), lost);
}

// Notes are stored with CR LF line breaks, as project files hold them; the
// editors work with plain line feeds.
inline QString NotesToQt(std::string_view notes)
{
  QString text = ToQt(notes);
  text.replace("\r\n", "\n");
  text.replace('\r', '\n');
  return text;
}

inline std::string NotesFromQtText(const QString& text, bool* lost = nullptr)
{
  QString stored = text;
  stored.replace("\n", "\r\n");
  return FromQt(stored, lost);
}

// Paths are handed to and from the file system in its own encoding.
inline QString PathToQt(const std::string& path) { return QFile::decodeName(path.c_str()); }
inline std::string PathFromQt(const QString& path) { return QFile::encodeName(path).toStdString(); }
