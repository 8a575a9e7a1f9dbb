#pragma once
// The per-user settings store as the core sees it: sections of text values
// that can be removed. The program uses QSettings behind it; tests use the
// in-memory store and never touch the user's real settings.
//
// Values are UTF-8 texts: a folder path goes in as the file system names it,
// and model texts (Windows-1252) are converted by their owner on the way in
// and out (Cp1252ToUtf8, Utf8ToCp1252).

#include <functional>
#include <map>
#include <string>
#include <utility>

class CSettingsStore
{
public:
  virtual ~CSettingsStore() = default;
  // A missing value reads as the empty text.
  virtual std::string Read(const std::string& section, const std::string& key) const = 0;
  virtual void Write(const std::string& section, const std::string& key,
                     const std::string& value) = 0;
  virtual void Remove(const std::string& section, const std::string& key) = 0;
  virtual bool Contains(const std::string& section, const std::string& key) const = 0;
  // Runs `change` on the values as they are now for every running copy of
  // the program, with no other copy's Update in between, and keeps what it
  // wrote: a value read, changed and written back loses nothing another
  // copy wrote meanwhile. A store of one process runs it as it is.
  virtual void Update(const std::function<void(CSettingsStore& store)>& change) { change(*this); }
};

class CMemorySettingsStore : public CSettingsStore
{
public:
  std::string Read(const std::string& section, const std::string& key) const override
  {
    auto it = mValues.find({section, key});
    return it == mValues.end() ? std::string() : it->second;
  }
  void Write(const std::string& section, const std::string& key, const std::string& value) override
  {
    mValues[{section, key}] = value;
  }
  void Remove(const std::string& section, const std::string& key) override
  {
    mValues.erase({section, key});
  }
  bool Contains(const std::string& section, const std::string& key) const override
  {
    return mValues.count({section, key}) != 0;
  }

private:
  std::map<std::pair<std::string, std::string>, std::string> mValues;
};
