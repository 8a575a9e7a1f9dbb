#pragma once
// The customer book (customer.vtx in the work folder), shared by all
// projects: sorted by the byte order of its names, each name once, searched
// by bisection.

#include "model/address.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct CListFile;

inline constexpr const char* kCustomerFileName = "customer.vtx";

class CAddressBook
{
public:
  // Bisection on the name with its spaces collapsed; true when found. index
  // (when given) receives the entry's index or where it would be inserted.
  bool Find(std::string_view name, std::size_t* index = nullptr) const;
  // Copies the entry into out; false (out emptied) when there is none.
  bool Get(std::string_view name, CAddress& out) const;
  // Replaces the entry of the same name or inserts a copy in order. The name
  // is kept with its spaces collapsed; an empty name is ignored.
  void Put(const CAddress& address);
  void Remove(std::string_view name);
  std::vector<std::string> Names() const;
  std::size_t Count() const { return mEntries.size(); }
  const CAddress& At(std::size_t index) const { return mEntries[index]; }
  // Empties the book and forgets its file: the next save writes it as it is.
  void Clear() { *this = CAddressBook(); }

  // The file image; false with the reason when a text is too long to store.
  bool Encode(std::string& bytes, std::string* error = nullptr) const;
  // Replaces the book by the entries of a file image, put in order (a later
  // entry of a name replaces an earlier one). On damage the entries before
  // it are kept and the result is false with the reason.
  bool Decode(std::string_view bytes, std::string* error = nullptr);
  // Empties the book, then reads the file; false when it cannot be read.
  bool Load(const std::string& path = kCustomerFileName, std::string* error = nullptr);
  // Writes the whole book safely; the old file stays whole on failure. Once
  // the book has been read from or written to that file, the save merges:
  // under the file's lock it reads the file again and keeps what another
  // copy of the program added, changed or removed since, together with what
  // was added, changed or removed here; the book then holds the result. A
  // file that cannot be read is not replaced.
  bool Save(const std::string& path = kCustomerFileName, std::string* error = nullptr);

  // What the screens do: change the book, then save it at once.
  bool PutAndSave(const CAddress& address, const std::string& path = kCustomerFileName,
                  std::string* error = nullptr);
  bool RemoveAndSave(std::string_view name, const std::string& path = kCustomerFileName,
                     std::string* error = nullptr);

private:
  friend struct CListFile;
  using Item = CAddress;
  static std::string_view KeyOf(const CAddress& a) { return a.mName; }
  std::vector<CAddress>& Items() { return mEntries; }

  std::vector<CAddress> mEntries;
  // What the file held when last read or written here, and its full path
  // (empty: never read or written, and a save writes the book as it is).
  std::vector<CAddress> mBase;
  std::string mBaseFile;
};

// The windows take the designer list and the default distributor from here as well.
#include "storage/default_distributor.h"
#include "storage/name_list.h"
