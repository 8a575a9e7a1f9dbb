#pragma once

// A fresh, empty folder under the system's temporary folder for one test,
// removed with all it holds when the test ends.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

class CTempFolder
{
public:
  explicit CTempFolder(const std::string& prefix = "vantor-test")
  {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("cannot make a temporary folder " + pattern);
    // Canonical, so that it compares equal to the paths the program resolves.
    mPath = std::filesystem::canonical(pattern);
  }
  ~CTempFolder()
  {
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
  }
  CTempFolder(const CTempFolder&) = delete;
  CTempFolder& operator=(const CTempFolder&) = delete;

  const std::filesystem::path& Path() const { return mPath; }

private:
  std::filesystem::path mPath;
};

// The names of what a folder holds, sorted.
inline std::vector<std::string> FolderNames(const std::filesystem::path& folder)
{
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A fixture whose tests each work in their own temporary folder `mDir`.
class TempFolderTest : public ::testing::Test
{
protected:
  std::string Path(const std::string& name) const { return (mDir / name).string(); }

  CTempFolder mTemp;
  const std::filesystem::path mDir = mTemp.Path();
};
