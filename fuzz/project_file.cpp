// The project file reader on any bytes: every input is read whole or refused
// with a reason, and what is read is written back to an image that reads
// again to the same project and encodes to the same bytes.

#include "fuzz_check.h"
#include "model/project.h"
#include "report/data_dump.h"
#include "storage/project_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CProject project;
  std::string error;
  if (!ReadProjectFile(bytes, project, &error))
  {
    FUZZ_CHECK(!error.empty());
    return 0;
  }
  FUZZ_CHECK(project.mVersion <= kCurrentFileVersion);
  // Nothing that reads may fail to save: the user would lose the project.
  std::string image;
  FUZZ_CHECK(EncodeProjectFile(project, image, &error));
  CProject again;
  FUZZ_CHECK(ReadProjectFile(image, again, &error));
  FUZZ_CHECK(again.mVersion == kCurrentFileVersion);
  FUZZ_CHECK(DumpText(again) == DumpText(project));
  FUZZ_CHECK(!again.mAreaTable.Differs(project.mAreaTable));
  std::string second;
  FUZZ_CHECK(EncodeProjectFile(again, second, &error));
  FUZZ_CHECK(second == image);
  return 0;
}
