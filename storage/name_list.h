#pragma once
// The designer list (designer.vtx in the work folder), shared by all projects:
// sorted by the byte order of its names, each name once, searched by bisection.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct CListFile;

inline constexpr const char* kDesignerFileName = "designer.vtx";

class CNameList
{
public:
  // Bisection on the name as given (spaces are not collapsed).
  bool Contains(std::string_view name, std::size_t* index = nullptr) const;
  // Copies the stored form into out; false (out emptied) when absent.
  bool Get(std::string_view name, std::string& out) const;
  // Inserts in order unless present or empty; true when added.
  bool Add(std::string_view name);
  void Remove(std::string_view name);
  const std::vector<std::string>& Names() const { return mNames; }
  std::size_t Count() const { return mNames.size(); }
  void Clear() { *this = CNameList(); }

  bool Encode(std::string& bytes, std::string* error = nullptr) const;
  // As CAddressBook::Decode: put in order, duplicates dropped.
  bool Decode(std::string_view bytes, std::string* error = nullptr);
  bool Load(const std::string& path = kDesignerFileName, std::string* error = nullptr);
  // As CAddressBook::Save: merges with the file once read or written.
  bool Save(const std::string& path = kDesignerFileName, std::string* error = nullptr);

  // Collapses the spaces of the name, adds it and saves; false when the
  // name is empty, already present or the save fails.
  bool AddAndSave(std::string_view name, const std::string& path = kDesignerFileName,
                  std::string* error = nullptr);
  bool RemoveAndSave(std::string_view name, const std::string& path = kDesignerFileName,
                     std::string* error = nullptr);

private:
  friend struct CListFile;
  using Item = std::string;
  static std::string_view KeyOf(const std::string& s) { return s; }
  std::vector<std::string>& Items() { return mNames; }

  std::vector<std::string> mNames;
  std::vector<std::string> mBase;
  std::string mBaseFile;
};
