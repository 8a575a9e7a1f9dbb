#pragma once
// The report on the printer, in pages.

#include "report/report_surface.h"

#include <string>

class CProject;

// What the footer of every printed page says besides the project and the
// page: the program with its version, and the date of printing.
struct CPrintStamp
{
  std::string mProgram;
  std::string mDate;
};

// The report in pages on the printer, with half-inch margins: tables
// continue on the next page below their heading row, a volume section that
// does not fit starts a new page, notes continue at the top of the next page;
// a part that goes on to a new page repeats its heading there, marked
// " (continued)". Every page carries a footer in its bottom margin.
void PrintReport(CReportPrinter& printer, const CProject& project, const CPrintStamp& stamp = {});
