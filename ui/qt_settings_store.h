#pragma once
// The settings store over QSettings: organisation "Vantor", application
// "Vantor (R) System Calculation Program"; sections become groups.

#include "storage/settings_store.h"

#include <QSettings>

class CQtSettingsStore : public CSettingsStore
{
public:
  CQtSettingsStore();
  std::string Read(const std::string& section, const std::string& key) const override;
  void Write(const std::string& section, const std::string& key, const std::string& value) override;
  void Remove(const std::string& section, const std::string& key) override;
  bool Contains(const std::string& section, const std::string& key) const override;
  // Under the settings file's lock (see CLockFile), which every Update of
  // every copy takes: reads the file again, runs `change`, writes the file.
  void Update(const std::function<void(CSettingsStore& store)>& change) override;

private:
  mutable QSettings mSettings;
  bool mUpdating = false; // written once, when the Update ends
};
