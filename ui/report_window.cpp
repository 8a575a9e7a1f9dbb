// Placeholder until the report window lands.
#include "ui/windows.h"

void OpenReportWindow(CProject*) {}
void CloseReportWindow(CProject*) {}
void PrintReportFlow(QWidget*, CProject*) {}
