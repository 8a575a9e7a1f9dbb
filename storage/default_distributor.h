#pragma once

#include "model/address.h"

class CSettingsStore;

// The default distributor, which new projects start with: kept in the
// settings store, section "Distributor"; store values are UTF-8, the
// model's are Windows-1252. Missing values read as empty.
CAddress LoadDistributor(const CSettingsStore& store);
void SaveDistributor(CSettingsStore& store, const CAddress& address);
