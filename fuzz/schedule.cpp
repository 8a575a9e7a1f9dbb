// The room schedule import on any bytes: a schedule with errors names lines
// of the file and changes nothing; one without adds its volumes, and their
// export imports into an empty project as the same volumes.

#include "fuzz_check.h"
#include "model/project.h"
#include "storage/schedule_export.h"
#include "storage/schedule_import.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CProject project;
  const CSchedule schedule = ReadSchedule(bytes, project);
  if (!schedule.Ok())
  {
    const std::size_t lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) +
                              static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r')) + 1;
    for (const CScheduleError& e : schedule.mErrors)
    {
      FUZZ_CHECK(e.mLine >= 1 && e.mLine <= lines);
      FUZZ_CHECK(!e.mReason.empty());
    }
    FUZZ_CHECK(!ApplySchedule(schedule, project));
    FUZZ_CHECK(project.mAreaTable.Count() == 0);
    return 0;
  }
  FUZZ_CHECK(ApplySchedule(schedule, project));
  FUZZ_CHECK(project.mAreaTable.Count() == schedule.mRows.size());
  const std::string csv = ScheduleCsv(project);
  CProject copy;
  const CSchedule again = ReadSchedule(csv, copy);
  FUZZ_CHECK(again.Ok());
  FUZZ_CHECK(ApplySchedule(again, copy));
  FUZZ_CHECK(!copy.mAreaTable.Differs(project.mAreaTable));
  FUZZ_CHECK(ScheduleCsv(copy) == csv);
  return 0;
}
