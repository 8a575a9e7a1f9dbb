#pragma once
// Builds file images field by field for the tests, independently of the
// program's writer, so a fixture states the layout it expects.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

class CTestBytes
{
public:
  CTestBytes& U32(std::uint32_t v)
  {
    for (int i = 0; i < 4; ++i)
      mBytes.push_back(static_cast<char>(v >> (8 * i)));
    return *this;
  }
  CTestBytes& F64(double v)
  {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i)
      mBytes.push_back(static_cast<char>(bits >> (8 * i)));
    return *this;
  }
  CTestBytes& Bool(bool v)
  {
    mBytes.push_back(v ? 1 : 0);
    return *this;
  }
  // u16 count, then each byte sign-extended to 16 bits.
  CTestBytes& Str(std::string_view s)
  {
    mBytes.push_back(static_cast<char>(s.size() & 0xFF));
    mBytes.push_back(static_cast<char>(s.size() >> 8));
    for (char c : s)
    {
      mBytes.push_back(c);
      mBytes.push_back(static_cast<unsigned char>(c) >= 0x80 ? '\xFF' : '\0');
    }
    return *this;
  }
  // A CAddress record: seven strings.
  CTestBytes& Address(std::string_view name, std::string_view a1 = "", std::string_view a2 = "",
                      std::string_view city = "", std::string_view state = "",
                      std::string_view country = "", std::string_view zip = "")
  {
    return Str(name).Str(a1).Str(a2).Str(city).Str(state).Str(country).Str(zip);
  }
  CTestBytes& Raw(std::string_view raw)
  {
    mBytes.append(raw);
    return *this;
  }
  const std::string& Bytes() const { return mBytes; }

private:
  std::string mBytes;
};
