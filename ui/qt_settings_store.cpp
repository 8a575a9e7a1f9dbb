#include "ui/qt_settings_store.h"

namespace
{
QString Key(const std::string& section, const std::string& key)
{
  return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}
} // namespace

CQtSettingsStore::CQtSettingsStore()
  : mSettings(QSettings::IniFormat, QSettings::UserScope, "Vantor",
              "Vantor (R) System Calculation Program")
{
}

std::string CQtSettingsStore::Read(const std::string& section, const std::string& key) const
{
  return mSettings.value(Key(section, key)).toString().toStdString();
}

void CQtSettingsStore::Write(const std::string& section, const std::string& key,
                             const std::string& value)
{
  mSettings.setValue(Key(section, key), QString::fromStdString(value));
  mSettings.sync();
}

void CQtSettingsStore::Remove(const std::string& section, const std::string& key)
{
  mSettings.remove(Key(section, key));
  mSettings.sync();
}

bool CQtSettingsStore::Contains(const std::string& section, const std::string& key) const
{
  return mSettings.contains(Key(section, key));
}
