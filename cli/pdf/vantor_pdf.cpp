// vantor-pdf PROJECT.ad -o FILE.pdf: the printed report of a project as a
// PDF file, drawn by the same print path as the program's "Print Report",
// on Qt's offscreen platform so that no display is needed.

#include "cli/batch_support.h"
#include "model/project.h"
#include "storage/project_file.h"
#include "ui/paper.h"
#include "ui/qt_surface.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
const char kUsage[] = "Usage: vantor-cli pdf PROJECT.ad -o FILE.pdf [--letter|--a4] [--landscape]\n"
                      "Writes the printed report of the project as a PDF file.\n";

int Usage()
{
  std::fputs(kUsage, stderr);
  return 2;
}

// Qt's own notices (a missing runtime folder and the like) are not the
// user's business on a terminal; only real failures are shown.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "vantor-cli: %s\n", message.toLocal8Bit().constData());
}
} // namespace

int main(int argc, char** argv)
{
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string input;
  std::string output;
  QPageSize::PageSizeId paper = LocalePaper();
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  for (std::size_t i = 0; i < args.size(); ++i)
  {
    const std::string& arg = args[i];
    if (arg == "-o" || arg == "--output")
    {
      if (i + 1 >= args.size() || !output.empty() || args[i + 1].empty())
        return Usage();
      output = args[++i];
    }
    else if (arg == "--letter")
      paper = QPageSize::Letter;
    else if (arg == "--a4")
      paper = QPageSize::A4;
    else if (arg == "--landscape")
      orientation = QPageLayout::Landscape;
    else if (IsOption(arg) || !input.empty())
      return Usage();
    else
      input = arg;
  }
  if (input.empty() || output.empty())
    return Usage();

  CProject project;
  project.SetName(FileTitle(input));
  project.mPath = input;
  std::string error;
  if (!LoadProject(project, &error))
  {
    Complain(error);
    return 1;
  }

  qInstallMessageHandler(QuietMessages);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QGuiApplication app(qtArgc, qtArgv);

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromLocal8Bit(output.c_str()));
  printer.setPageSize(QPageSize(paper));
  printer.setPageOrientation(orientation);
  if (!PrintReportTo(printer, project))
  {
    Complain(output + ": cannot write the PDF file");
    return 1;
  }
  std::printf("%s\n", output.c_str());
  return 0;
}
