#pragma once
// Where a graphic report is laid out.

// Where a report is laid out: left and top edge, and the right edge at
// which the customer block ends and notes wrap.
struct CReportPage
{
  int mLeft = 0;
  int mTop = 0;
  int mRight = 0;
};
