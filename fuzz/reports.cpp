// Every report of whatever project file reads: the text report, the
// rich-text file, the data dump, the window layout and the printed pages.

#include "fuzz_check.h"
#include "model/project.h"
#include "report/data_dump.h"
#include "report/printed_report.h"
#include "report/rtf_writer.h"
#include "report/text_report.h"
#include "report/window_report.h"
#include "storage/project_file.h"
#include "tests/report/fake_surface.h"
#include "text/charset.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace
{
// Every line ends with CR LF and carries no trailing white space.
void CheckLines(const std::string& text, bool trimmed)
{
  FUZZ_CHECK(text.empty() || text.ends_with("\r\n"));
  std::size_t start = 0;
  while (start < text.size())
  {
    const std::size_t end = text.find("\r\n", start);
    FUZZ_CHECK(end != std::string::npos);
    if (trimmed && end > start)
      FUZZ_CHECK(!IsSpace1252(text[end - 1]));
    start = end + 2;
  }
}

// The braces of the rich text, escaped ones aside, pair up.
void CheckRtf(const std::string& rtf)
{
  FUZZ_CHECK(rtf.starts_with("{\\rtf1"));
  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i)
  {
    const unsigned char c = static_cast<unsigned char>(rtf[i]);
    FUZZ_CHECK(c >= 0x20 ? c < 0x7F : (c == '\r' || c == '\n'));
    if (c == '\\')
      ++i;
    else if (c == '{')
      ++depth;
    else if (c == '}')
      FUZZ_CHECK(--depth >= 0);
    FUZZ_CHECK(depth > 0 || i + 3 >= rtf.size());
  }
  FUZZ_CHECK(depth == 0);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CProject project;
  if (!ReadProjectFile(bytes, project))
    return 0;
  project.mName = "Fuzz";
  project.mPath = "Fuzz.ad";

  CheckLines(TextReport(project), true);
  CheckRtf(RtfReport(project));
  CheckLines(DumpText(project), false);

  CFakeSurface window;
  const CReportSize covered = DrawWindowReport(window, {10, 10, 800}, project, true);
  FUZZ_CHECK(covered.mWidth >= 0 && covered.mHeight >= 0);
  CFakeSurface printer;
  PrintReport(printer, project);
  FUZZ_CHECK(printer.mDocuments == 1 && printer.mEnded == 1);
  return 0;
}
