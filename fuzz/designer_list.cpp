// The designer list reader (designer.vtx) on any bytes: whatever it keeps is
// in order, each name once, and survives a write and a read unchanged.

#include "fuzz_check.h"
#include "storage/name_list.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CNameList list;
  std::string error;
  if (!list.Decode(bytes, &error))
    FUZZ_CHECK(!error.empty());
  const auto& names = list.Names();
  for (std::size_t i = 0; i < names.size(); ++i)
  {
    FUZZ_CHECK(!names[i].empty());
    FUZZ_CHECK(i == 0 || names[i - 1] < names[i]);
    FUZZ_CHECK(list.Contains(names[i]));
  }
  std::string image;
  FUZZ_CHECK(list.Encode(image, &error));
  CNameList again;
  FUZZ_CHECK(again.Decode(image, &error));
  FUZZ_CHECK(again.Names() == names);
  return 0;
}
