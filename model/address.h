#pragma once
// A postal address: customer, distributor.

#include <string>

struct CAddress
{
  std::string mName;
  std::string mAddress1;
  std::string mAddress2;
  std::string mCity;
  std::string mState;
  std::string mCountry;
  std::string mZip;

  bool operator==(const CAddress&) const = default;
  void Clear() { *this = CAddress{}; }
};
