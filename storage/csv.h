#pragma once
// Comma-separated values as RFC 4180 has them: fields separated by commas,
// records ended by CR LF (a bare LF is read too), a field holding a comma,
// a double quote or a line break enclosed in double quotes with its quotes
// doubled. The texts are bytes; what they encode is the caller's business.
// Another separator (a tab, as spreadsheets put rows on the clipboard) is
// read and written by the same rules.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One record and the line of the file where it begins (1 for the first):
// a quoted field may hold line breaks, so records and lines differ.
struct CCsvRecord
{
  std::size_t mLine = 0;
  std::vector<std::string> mFields;
};

// Reads every record of the text. A UTF-8 byte order mark at the start is
// skipped, and a record whose fields are all empty (a blank line, or a row
// of separators as spreadsheets write them) is left out. False, with the
// reason and its line, for a quote left open at the end or a quote in the
// middle of a field.
bool ReadCsv(std::string_view text, std::vector<CCsvRecord>& records, std::string* error = nullptr,
             std::size_t* errorLine = nullptr, char separator = ',');

// The field as it stands in a record, quoted when it must be.
std::string CsvField(std::string_view field, char separator = ',');
// The fields joined into one record, ended by CR LF.
void AppendCsvRecord(std::string& out, const std::vector<std::string>& fields,
                     char separator = ',');
