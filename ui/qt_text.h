#pragma once
// Conversion between Qt's Unicode strings and the program's Windows-1252 texts.

#include "storage/charset.h"

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
