// The work folder at start-up, with the documents folder as Qt finds it.

#include "storage/settings_store.h"
#include "tests/common/temp_folder.h"
#include "ui/app.h"

#include <QStandardPaths>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

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

// The help and the version come from the real program, started where there
// is no display at all.
TEST(StartUp, HelpAndVersionNeedNoDisplay)
{
  const struct
  {
    const char* mArgument;
    std::string mShown;
  } cases[] = {{"--help", "[FILE.ad...]"}, {"--version", VANTOR_VERSION}, {"-h", "--version"}};
  for (const auto& c : cases)
  {
    const std::string command =
        std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '") +
        VANTOR_PROGRAM_PATH + "' " + c.mArgument + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      output.append(buffer, n);
    const int status = ::pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << c.mArgument << ": " << status << "\n"
        << output;
    EXPECT_NE(output.find(c.mShown), std::string::npos) << c.mArgument << ":\n" << output;
  }
}
