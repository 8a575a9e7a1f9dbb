#include "storage/work_folder.h"

#include "storage/address_book.h"
#include "storage/catalogue.h"
#include "storage/name_list.h"
#include "storage/safe_file.h"
#include "storage/settings_store.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace
{
bool EnterFolder(const std::string& folder)
{
  if (folder.empty())
    return false;
  std::error_code ec;
  fs::current_path(fs::path(folder), ec);
  if (ec)
    return false;
  RemoveLeftoverSaveFiles(".");
  return true;
}

bool EndsWith(std::string_view name, std::string_view end)
{
  return name.size() > end.size() && name.substr(name.size() - end.size()) == end;
}

// The default folder inside the documents folder, made current; empty when
// it cannot be had.
std::string EnterDefaultFolder(const std::function<std::string()>& documentsFolder)
{
  const std::string documents = documentsFolder ? documentsFolder() : std::string();
  if (documents.empty())
    return {};
  const fs::path folder = fs::path(documents) / kDefaultWorkFolderName;
  std::error_code ec;
  const fs::file_status status = fs::status(folder, ec);
  if (fs::exists(status))
  {
    // Something of that name that is not a folder is left alone.
    if (!fs::is_directory(status))
      return {};
  }
  else if (!fs::create_directory(folder, ec) || ec)
  {
    return {};
  }
  return EnterFolder(folder.string()) ? folder.string() : std::string();
}
} // namespace

std::string ChooseWorkFolder(CSettingsStore& settings,
                             const std::function<std::string()>& documentsFolder)
{
  const std::string remembered = settings.Read(kWorkFolderSection, kWorkFolderKey);
  if (EnterFolder(remembered))
    return remembered;

  const std::string chosen = EnterDefaultFolder(documentsFolder);
  if (chosen.empty())
    settings.Remove(kWorkFolderSection, kWorkFolderKey);
  else
    settings.Write(kWorkFolderSection, kWorkFolderKey, chosen);
  return chosen;
}

bool ChangeWorkFolder(CSettingsStore& settings, const std::string& folder)
{
  if (!EnterFolder(folder))
    return false;
  settings.Write(kWorkFolderSection, kWorkFolderKey, folder);
  return true;
}

int RemoveLeftoverSaveFiles(const std::string& folder)
{
  return RemoveLeftoverTemporariesIn(folder,
                                     [](std::string_view name)
                                     {
                                       return EndsWith(name, kProjectFileExtension) ||
                                              EndsWith(name, ".rtf") || EndsWith(name, ".dmp") ||
                                              name == kCustomerFileName || name == kDesignerFileName;
                                     });
}

std::string CurrentFolder()
{
  std::error_code ec;
  fs::path current = fs::current_path(ec);
  return ec ? std::string() : current.string();
}
