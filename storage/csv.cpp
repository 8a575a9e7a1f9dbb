#include "storage/csv.h"

#include <algorithm>

namespace
{
bool AllEmpty(const std::vector<std::string>& fields)
{
  return std::all_of(fields.begin(), fields.end(), [](const std::string& f) { return f.empty(); });
}

struct CFailure
{
  std::string* mError;
  std::size_t* mLine;
  bool operator()(std::size_t line, const char* reason) const
  {
    if (mError)
      *mError = reason;
    if (mLine)
      *mLine = line;
    return false;
  }
};
} // namespace

bool ReadCsv(std::string_view text, std::vector<CCsvRecord>& records, std::string* error,
             std::size_t* errorLine, char separator)
{
  const CFailure Fail{error, errorLine};
  records.clear();
  if (text.substr(0, 3) == "\xEF\xBB\xBF")
    text.remove_prefix(3);
  std::size_t line = 1;
  std::size_t i = 0;
  const std::size_t n = text.size();
  CCsvRecord record;
  record.mLine = line;
  std::string field;
  auto endRecord = [&]
  {
    record.mFields.push_back(std::move(field));
    field.clear();
    if (!AllEmpty(record.mFields))
      records.push_back(std::move(record));
    record = CCsvRecord{};
  };
  while (i < n)
  {
    // At the start of a field.
    if (text[i] == '"')
    {
      const std::size_t opened = line;
      ++i;
      for (;;)
      {
        if (i >= n)
          return Fail(opened, "a quoted field is not closed");
        const char c = text[i++];
        if (c == '"')
        {
          if (i < n && text[i] == '"')
          {
            field += '"';
            ++i;
            continue;
          }
          break;
        }
        if (c == '\n')
          ++line;
        field += c;
      }
      // After the closing quote: a separator, a line end or the end.
      if (i < n && text[i] != separator && text[i] != '\r' && text[i] != '\n')
        return Fail(line, "text follows a closing quote");
    }
    else
    {
      while (i < n && text[i] != separator && text[i] != '\r' && text[i] != '\n')
      {
        if (text[i] == '"')
          return Fail(line, "a double quote inside a field that is not quoted");
        field += text[i++];
      }
    }
    if (i >= n)
      break;
    if (text[i] == separator)
    {
      record.mFields.push_back(std::move(field));
      field.clear();
      ++i;
      if (i >= n)
        break;
      continue;
    }
    // A line end: CR LF, LF or a lone CR.
    if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')
      ++i;
    ++i;
    endRecord();
    ++line;
    record.mLine = line;
  }
  if (!record.mFields.empty() || !field.empty())
    endRecord();
  return true;
}

std::string CsvField(std::string_view field, char separator)
{
  const char special[] = {separator, '"', '\r', '\n'};
  if (field.find_first_of(std::string_view(special, sizeof special)) == std::string_view::npos)
    return std::string(field);
  std::string out = "\"";
  for (char c : field)
  {
    if (c == '"')
      out += '"';
    out += c;
  }
  out += '"';
  return out;
}

void AppendCsvRecord(std::string& out, const std::vector<std::string>& fields, char separator)
{
  for (std::size_t i = 0; i < fields.size(); ++i)
  {
    if (i > 0)
      out += separator;
    out += CsvField(fields[i], separator);
  }
  out += "\r\n";
}
