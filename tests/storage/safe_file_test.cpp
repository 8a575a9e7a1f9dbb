#include "storage/safe_file.h"

#include "tests/common/file_bytes.h"
#include "tests/common/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace
{
using SafeFileTest = TempFolderTest;
} // namespace

TEST_F(SafeFileTest, WritesNewAndReplacesOldFilesWholeLeavingNoTemporaryFile)
{
  std::string path = Path("a.ad");
  std::string big(10000, 'x'); // more than one buffer
  big[0] = 'A';
  big[9999] = 'Z';
  ASSERT_TRUE(WriteFileSafely(path, big));
  EXPECT_EQ(ReadBytes(path), big);
  ASSERT_TRUE(WriteFileSafely(path, "short"));
  EXPECT_EQ(ReadBytes(path), "short");
  // Megabytes after a buffered start, as a large project file is written.
  std::string huge(3 * 1024 * 1024 + 7, '\0');
  for (std::size_t i = 0; i < huge.size(); ++i)
    huge[i] = static_cast<char>(i * 7 + i / 4096);
  {
    CSafeFile file(path);
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Write("head"));
    ASSERT_TRUE(file.Write(huge));
    ASSERT_TRUE(file.Write("tail"));
    ASSERT_TRUE(file.Commit());
  }
  EXPECT_EQ(ReadBytes(path), "head" + huge + "tail");
  std::string empty;
  ASSERT_TRUE(WriteFileSafely(path, empty));
  EXPECT_EQ(fs::file_size(path), 0u);
  EXPECT_EQ(FolderNames(mDir).size(), 1u);
}

TEST_F(SafeFileTest, KeepsTheModeOfTheFileItReplaces)
{
  std::string path = Path("m.vtx");
  WriteBytes(path, "old");
  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(WriteFileSafely(path, "new"));
  struct stat st{};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(SafeFileTest, FailuresLeaveTheOldFileAndNoTemporaryFileWithAReason)
{
  std::string error;
  // A folder that does not exist.
  EXPECT_FALSE(WriteFileSafely(Path("missing/x.ad"), "data", &error));
  EXPECT_NE(error.find("missing/x.ad"), std::string::npos) << error;
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;

  // A plain file where the folder should be.
  WriteBytes(Path("plain"), "I am a file");
  error.clear();
  EXPECT_FALSE(WriteFileSafely(Path("plain/x.ad"), "data", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadBytes(Path("plain")), "I am a file");

  // A folder in place of the target.
  fs::create_directories(mDir / "d.ad" / "inner");
  error.clear();
  EXPECT_FALSE(WriteFileSafely(Path("d.ad"), "data", &error));
  EXPECT_TRUE(fs::is_directory(mDir / "d.ad" / "inner"));
  EXPECT_NE(error.find("d.ad"), std::string::npos);

  EXPECT_EQ(FolderNames(mDir).size(), 2u); // plain and d.ad only
}

TEST_F(SafeFileTest, DiscardOrDestructionBeforeCommitKeepsTheOldFile)
{
  std::string path = Path("p.ad");
  WriteBytes(path, "old content");
  {
    CSafeFile file(path);
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Write("new content that is never committed"));
    EXPECT_EQ(FolderNames(mDir).size(), 2u); // the temporary file sits beside the target
  }
  EXPECT_EQ(ReadBytes(path), "old content");
  EXPECT_EQ(FolderNames(mDir).size(), 1u);

  CSafeFile file(path);
  ASSERT_TRUE(file.Open());
  file.Write("x");
  file.Discard();
  EXPECT_FALSE(file.Commit());
  EXPECT_EQ(ReadBytes(path), "old content");
  EXPECT_EQ(FolderNames(mDir).size(), 1u);
}

TEST_F(SafeFileTest, AFailedWriteOnAFullDeviceKeepsTheOldFile)
{
  // Needs a small file system of our own; skipped where none can be mounted.
  fs::path mount = mDir / "small";
  fs::create_directories(mount);
  std::string cmd = "mount -t tmpfs -o size=64k tmpfs '" + mount.string() + "' 2>/dev/null";
  if (std::system(cmd.c_str()) != 0)
    GTEST_SKIP() << "cannot mount a small tmpfs here";
  std::string path = (mount / "full.ad").string();
  WriteBytes(path, "old content");
  std::string error;
  bool ok = WriteFileSafely(path, std::string(1 << 20, 'y'), &error);
  std::string content = ReadBytes(path);
  std::size_t entries = static_cast<std::size_t>(
    std::distance(fs::directory_iterator(mount), fs::directory_iterator()));
  std::system(("umount '" + mount.string() + "'").c_str());
  EXPECT_FALSE(ok);
  EXPECT_NE(error.find("No space"), std::string::npos) << error;
  EXPECT_EQ(content, "old content");
  EXPECT_EQ(entries, 1u);
}
