#include "storage/default_distributor.h"

#include "model/address.h"
#include "storage/settings_store.h"
#include "text/charset.h"

namespace
{
constexpr const char* kDistributorSection = "Distributor";

struct CAddressField
{
  const char* mKey;
  std::string CAddress::*mField;
};

constexpr CAddressField kDistributorFields[] = {
  {"Name", &CAddress::mName},       {"Address1", &CAddress::mAddress1},
  {"Address2", &CAddress::mAddress2}, {"City", &CAddress::mCity},
  {"State", &CAddress::mState},     {"Country", &CAddress::mCountry},
  {"Zip", &CAddress::mZip},
};
} // namespace

CAddress LoadDistributor(const CSettingsStore& store)
{
  CAddress address;
  for (const CAddressField& f : kDistributorFields)
    address.*f.mField = Utf8ToCp1252(store.Read(kDistributorSection, f.mKey));
  return address;
}

void SaveDistributor(CSettingsStore& store, const CAddress& address)
{
  for (const CAddressField& f : kDistributorFields)
    store.Write(kDistributorSection, f.mKey, Cp1252ToUtf8(address.*f.mField));
}
