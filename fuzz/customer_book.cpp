// The customer book reader (customer.vtx) on any bytes: whatever it keeps is
// in order, each name once and with its spaces collapsed, and survives a
// write and a read unchanged.

#include "fuzz_check.h"
#include "storage/address_book.h"
#include "text/text_cleaners.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CAddressBook book;
  std::string error;
  if (!book.Decode(bytes, &error))
    FUZZ_CHECK(!error.empty());
  for (std::size_t i = 0; i < book.Count(); ++i)
  {
    const std::string& name = book.At(i).mName;
    FUZZ_CHECK(!name.empty());
    FUZZ_CHECK(CollapseSpaces(name) == name);
    FUZZ_CHECK(i == 0 || book.At(i - 1).mName < name);
    FUZZ_CHECK(book.Find(name));
  }
  std::string image;
  FUZZ_CHECK(book.Encode(image, &error));
  CAddressBook again;
  FUZZ_CHECK(again.Decode(image, &error));
  FUZZ_CHECK(again.Count() == book.Count());
  for (std::size_t i = 0; i < book.Count(); ++i)
    FUZZ_CHECK(again.At(i) == book.At(i));
  return 0;
}
