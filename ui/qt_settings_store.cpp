#include "ui/qt_settings_store.h"

#include "storage/lock_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
  if (!mUpdating)
    mSettings.sync();
}

void CQtSettingsStore::Remove(const std::string& section, const std::string& key)
{
  mSettings.remove(Key(section, key));
  if (!mUpdating)
    mSettings.sync();
}

bool CQtSettingsStore::Contains(const std::string& section, const std::string& key) const
{
  return mSettings.contains(Key(section, key));
}

void CQtSettingsStore::Update(const std::function<void(CSettingsStore& store)>& change)
{
  const QString file = mSettings.fileName();
  QDir().mkpath(QFileInfo(file).absolutePath());
  // Without the lock (a folder where none can be made, another copy that
  // keeps it too long) the change is still made: read again right before.
  CLockFile lock(QFile::encodeName(file).toStdString());
  lock.Lock(kSaveLockWait);
  mSettings.sync();
  mUpdating = true;
  change(*this);
  mUpdating = false;
  mSettings.sync();
}
