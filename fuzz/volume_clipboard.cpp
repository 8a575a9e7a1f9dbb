// The clipboard's volumes on any bytes: the first byte chooses the program's
// own form (even) or a spreadsheet's tab-separated rows (odd). Refused data
// gives a reason and no volumes; read volumes pasted into a project copy
// back and read again as the same volumes.

#include "storage/volume_clipboard.h"
#include "document/edit_commands.h"
#include "fuzz_check.h"
#include "model/project.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (size == 0)
    return 0;
  const bool own = data[0] % 2 == 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  CProject project;
  CClipboardVolumes read;
  std::string error;
  if (!(own ? ReadVolumesClipboardBytes(bytes, read, &error)
            : ReadVolumesClipboardText(bytes, project, read, &error)))
  {
    FUZZ_CHECK(!error.empty() && read.mVolumes.empty());
    return 0;
  }
  FUZZ_CHECK(!read.mVolumes.empty());
  // A name the project file cannot hold is refused by the paste.
  if (!ApplyEdit(edit::PasteVolumes{read.mVolumes}, project))
    return 0;
  FUZZ_CHECK(project.mAreaTable.Count() == read.mVolumes.size());
  project.RecalculateProject();
  std::vector<CVolumeId> ids;
  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
    ids.push_back(project.mAreaTable.Get(i)->Id());
  std::string copied;
  FUZZ_CHECK(VolumesClipboardBytes(project, ids, copied, &error));
  CClipboardVolumes again;
  FUZZ_CHECK(ReadVolumesClipboardBytes(copied, again, &error));
  FUZZ_CHECK(again.mVolumes.size() == ids.size());
  for (std::size_t i = 0; i < ids.size(); ++i)
    FUZZ_CHECK(!again.mVolumes[i]->Differs(*project.mAreaTable.Get(i)));
  return 0;
}
