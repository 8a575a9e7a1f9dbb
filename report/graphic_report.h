#pragma once
// The graphic report as a whole, for the report window and the printer: the
// window's long page, the printed pages, the key that tells when a layout
// is stale, and the table drawing they share.

#include "report/printed_report.h"
#include "report/report_content_key.h"
#include "report/table_drawing.h"
#include "report/window_report.h"
