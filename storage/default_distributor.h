#pragma once

#include "model/address.h"

class CSettingsStore;

// The default distributor: read from and written to the settings store,
// section "Distributor". The program keeps it in DefaultDistributor()
// (model/project.h); store values are UTF-8, the model's are Windows-1252.
void LoadDistributor(const CSettingsStore& store);
void SaveDistributor(CSettingsStore& store, const CAddress& address);
void CopyDistributor(CAddress& out);
