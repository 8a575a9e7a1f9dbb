// The work folder at start-up, with the documents folder as Qt finds it.

#include "storage/settings_store.h"
#include "tests/common/temp_folder.h"
#include "ui/app.h"

#include <QStandardPaths>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(StartUp, TheDefaultWorkFolderIsMadeInsideACreatedDocumentsFolder)
{
  const fs::path started = fs::current_path();
  const CTempFolder temp;
  const fs::path& root = temp.Path();
  const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
  // Point the user's documents folder at a folder that does not exist yet.
  fs::create_directories(root / "config");
  std::ofstream(root / "config" / "user-dirs.dirs")
    << "XDG_DOCUMENTS_DIR=\"" << (root / "Docs").string() << "\"\n";
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((root / "config").string()));

  CMemorySettingsStore settings;
  const fs::path expected = root / "Docs" / "Vantor Designer Files";
  EXPECT_EQ(EnterWorkFolder(settings), expected.string());
  EXPECT_TRUE(fs::is_directory(expected));
  EXPECT_EQ(fs::current_path(), expected);
  EXPECT_EQ(settings.Read("Settings", "Directory"), expected.string());

  if (savedConfig.isNull())
    qunsetenv("XDG_CONFIG_HOME");
  else
    qputenv("XDG_CONFIG_HOME", savedConfig);
  fs::current_path(started);
}
