#pragma once
// A project's volumes as a CSV room schedule: a header row, then one row per
// volume with its inputs, its openings, its device counts and every figure
// of its calculation, in SI units with the unit in the column's name. The
// texts are UTF-8, the records RFC 4180 with CR LF line ends; a figure that
// is not valid is an empty cell. The import reads such a file back.

#include <string>
#include <vector>

class CArea;
class CProject;

// The column names of the export, in order.
const std::vector<std::string>& ScheduleColumns();

// The whole CSV file of the project's volumes, in the table's order.
std::string ScheduleCsv(const CProject& project);

// The header and the rows of the volumes, in the order given, with fields
// separated by the separator (a tab for a spreadsheet's clipboard): the
// cells ScheduleCsv writes for them.
std::string ScheduleText(const std::vector<const CArea*>& volumes, char separator);
