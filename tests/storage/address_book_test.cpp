#include "storage/address_book.h"
#include "storage/name_list.h"

#include "model/project.h"
#include "storage/byte_reader.h"
#include "storage/byte_writer.h"
#include "storage/lock_file.h"
#include "tests/common/child_processes.h"
#include "tests/common/file_bytes.h"
#include "tests/common/temp_folder.h"
#include "tests/storage/byte_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
CAddress Named(const char* name, const char* city = "")
{
  CAddress a;
  a.mName = name;
  a.mCity = city;
  return a;
}

using AddressFiles = TempFolderTest;
} // namespace

TEST(AddressBook, KeepsOneEntryPerNameInByteOrderAndFindsCollapsedNames)
{
  CAddressBook book;
  book.Put(Named("alpha Co"));
  book.Put(Named("Zeta Co"));
  book.Put(Named("Acme"));
  book.Put(Named("acme"));
  book.Put(Named("   ")); // empty after collapsing: ignored
  EXPECT_EQ(book.Names(), (std::vector<std::string>{"Acme", "Zeta Co", "acme", "alpha Co"}));

  book.Put(Named("Acme", "Leeds"));
  EXPECT_EQ(book.Count(), 4u);
  CAddress out = Named("junk", "junk");
  ASSERT_TRUE(book.Get("  Acme ", out));
  EXPECT_EQ(out.mCity, "Leeds");

  book.Put(Named(" Acme   Corp  "));
  std::size_t index = 99;
  EXPECT_TRUE(book.Find("  Acme  Corp ", &index));
  EXPECT_EQ(book.At(index).mName, "Acme Corp");
  EXPECT_FALSE(book.Find("Acme Corps", &index));
  EXPECT_EQ(index, 2u); // after "Acme Corp"

  book.Remove("Zeta  Co");
  EXPECT_FALSE(book.Get("Zeta Co", out));
  EXPECT_EQ(out, CAddress{});
  EXPECT_EQ(book.Count(), 4u);

  CAddressBook empty;
  EXPECT_FALSE(empty.Find("x", &index));
  EXPECT_EQ(index, 0u);
}

TEST(DesignerList, AddsInOrderOnceAndSearchesWithoutCollapsing)
{
  CNameList list;
  EXPECT_TRUE(list.Add("b"));
  EXPECT_TRUE(list.Add("A"));
  EXPECT_TRUE(list.Add("a"));
  EXPECT_FALSE(list.Add("a"));
  EXPECT_FALSE(list.Add(""));
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"A", "a", "b"}));
  EXPECT_TRUE(list.Contains("a"));
  EXPECT_FALSE(list.Contains(" a"));
  std::string out = "junk";
  EXPECT_FALSE(list.Get("c", out));
  EXPECT_EQ(out, "");
  list.Remove("A");
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"a", "b"}));
}

TEST(AddressFilesLayout, WritesTheReservedWordTheCountAndTheRecords)
{
  CAddressBook book;
  book.Put({"B\xE9", "1", "2", "c", "s", "k", "z"});
  book.Put(Named("A"));
  std::string bytes;
  ASSERT_TRUE(book.Encode(bytes));
  EXPECT_EQ(bytes, CTestBytes().U32(0).U32(2).Address("A").Address("B\xE9", "1", "2", "c", "s", "k", "z").Bytes());

  CNameList list;
  list.Add("Zoe");
  list.Add("Al");
  ASSERT_TRUE(list.Encode(bytes));
  EXPECT_EQ(bytes, CTestBytes().U32(0).U32(2).Str("Al").Str("Zoe").Bytes());
}

TEST(AddressFilesLayout, PutsAFileReadOutOfOrderOrWithDuplicatesInOrder)
{
  CAddressBook book;
  std::string error;
  ASSERT_TRUE(book.Decode(CTestBytes().U32(77).U32(4).Address("zed").Address("Bob", "old")
                            .Address("Amy").Address("Bob", "new").Bytes(), &error)) << error;
  EXPECT_EQ(book.Names(), (std::vector<std::string>{"Amy", "Bob", "zed"}));
  CAddress bob;
  ASSERT_TRUE(book.Get("Bob", bob));
  EXPECT_EQ(bob.mAddress1, "new");
  EXPECT_TRUE(book.Find("zed"));

  CNameList list;
  ASSERT_TRUE(list.Decode(CTestBytes().U32(0).U32(4).Str("c").Str("a").Str("c").Str("B").Bytes()));
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"B", "a", "c"}));
  EXPECT_TRUE(list.Contains("a"));

  ASSERT_TRUE(list.Decode(CTestBytes().U32(0).U32(0).Bytes()));
  EXPECT_EQ(list.Count(), 0u);
}

TEST(AddressFilesLayout, RefusesDamageButKeepsTheEntriesBeforeIt)
{
  std::string bytes = CTestBytes().U32(0).U32(3).Address("One").Address("Two", "street").Address("Three").Bytes();
  for (std::size_t n = 0; n < bytes.size(); ++n)
  {
    CAddressBook book;
    std::string error;
    EXPECT_FALSE(book.Decode(std::string_view(bytes).substr(0, n), &error)) << n;
    EXPECT_NE(error.find("ends early"), std::string::npos) << error;
  }
  CAddressBook book;
  std::string error;
  // Cut inside the third entry: the first two stay.
  EXPECT_FALSE(book.Decode(std::string_view(bytes).substr(0, bytes.size() - 3), &error));
  EXPECT_EQ(book.Names(), (std::vector<std::string>{"One", "Two"}));
  EXPECT_NE(error.find("customer 3"), std::string::npos) << error;

  CNameList list;
  EXPECT_FALSE(list.Decode(CTestBytes().U32(0).U32(0xFFFFFFFFu).Str("x").Bytes(), &error));
  EXPECT_NE(error.find("designer count 4294967295"), std::string::npos) << error;
  EXPECT_EQ(list.Count(), 0u);
}

TEST_F(AddressFiles, LoadAndSaveBothLists)
{
  CAddressBook book;
  std::string error;
  EXPECT_FALSE(book.Load(Path("customer.vtx"), &error)); // missing: empty book
  EXPECT_EQ(book.Count(), 0u);
  ASSERT_TRUE(book.PutAndSave({"Caf\xE9", "a1", "a2", "city", "st", "co", "zip"}, Path("customer.vtx"), &error))
    << error;
  ASSERT_TRUE(book.PutAndSave(Named("Acme"), Path("customer.vtx")));
  CAddressBook again;
  again.Put(Named("stale"));
  ASSERT_TRUE(again.Load(Path("customer.vtx"), &error)) << error;
  EXPECT_EQ(again.Names(), (std::vector<std::string>{"Acme", "Caf\xE9"}));
  CAddress cafe;
  ASSERT_TRUE(again.Get("Caf\xE9", cafe));
  EXPECT_EQ(cafe.mZip, "zip");
  ASSERT_TRUE(again.RemoveAndSave("Acme", Path("customer.vtx")));
  ASSERT_TRUE(book.Load(Path("customer.vtx")));
  EXPECT_EQ(book.Names(), (std::vector<std::string>{"Caf\xE9"}));

  CNameList list;
  EXPECT_FALSE(list.Load(Path("designer.vtx")));
  EXPECT_TRUE(list.AddAndSave("  Jo   Smith ", Path("designer.vtx"), &error)) << error;
  EXPECT_FALSE(list.AddAndSave("Jo Smith", Path("designer.vtx")));
  CNameList other;
  ASSERT_TRUE(other.Load(Path("designer.vtx")));
  EXPECT_EQ(other.Names(), (std::vector<std::string>{"Jo Smith"}));
}

TEST_F(AddressFiles, AFailedSaveKeepsTheOldFile)
{
  CNameList list;
  list.Add("Kept");
  ASSERT_TRUE(list.Save(Path("designer.vtx")));
  const std::string old = ReadBytes(Path("designer.vtx"));
  list.Add(std::string(65536, 'x'));
  std::string error;
  EXPECT_FALSE(list.Save(Path("designer.vtx"), &error));
  EXPECT_NE(error.find("65536 characters"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(Path("designer.vtx")), old);

  // A book too large to be read again is not written.
  CAddressBook huge;
  const std::string field(kMaxStoredChars, 'f');
  for (std::size_t i = 0; i * 7 * kMaxStoredChars <= kMaxReadFileBytes; ++i)
    huge.Put({"Customer " + std::to_string(i), field, field, field, field, field, field});
  EXPECT_FALSE(huge.Save(Path("customer.vtx"), &error));
  EXPECT_NE(error.find("too large to be read again"), std::string::npos) << error;
  EXPECT_FALSE(fs::exists(Path("customer.vtx")));

  CAddressBook book;
  book.Put(Named("X"));
  EXPECT_FALSE(book.Save(Path("gone/customer.vtx"), &error));
  EXPECT_NE(error.find("gone/customer.vtx"), std::string::npos) << error;
  EXPECT_EQ(book.Count(), 1u); // the in-memory book is unchanged
}

TEST_F(AddressFiles, TwoCopiesOfTheProgramKeepEachOthersChanges)
{
  CAddressBook start;
  start.Put(Named("Gone"));
  start.Put(Named("Old", "Leeds"));
  ASSERT_TRUE(start.Save(Path("customer.vtx")));
  CNameList names;
  names.Add("Bob");
  ASSERT_TRUE(names.Save(Path("designer.vtx")));

  CAddressBook a, b;
  CNameList na, nb;
  ASSERT_TRUE(a.Load(Path("customer.vtx")) && b.Load(Path("customer.vtx")));
  ASSERT_TRUE(na.Load(Path("designer.vtx")) && nb.Load(Path("designer.vtx")));
  ASSERT_TRUE(a.PutAndSave(Named("Added by A"), Path("customer.vtx")));
  ASSERT_TRUE(a.RemoveAndSave("Gone", Path("customer.vtx")));
  ASSERT_TRUE(b.PutAndSave(Named("Added by B"), Path("customer.vtx")));
  ASSERT_TRUE(b.PutAndSave(Named("Old", "York"), Path("customer.vtx")));
  ASSERT_TRUE(na.AddAndSave("Ann", Path("designer.vtx")));
  ASSERT_TRUE(nb.RemoveAndSave("Bob", Path("designer.vtx")));

  const std::vector<std::string> all{"Added by A", "Added by B", "Old"};
  EXPECT_EQ(b.Names(), all); // the saving copy holds the merged list
  CAddressBook disk;
  ASSERT_TRUE(disk.Load(Path("customer.vtx")));
  EXPECT_EQ(disk.Names(), all);
  CAddress old;
  ASSERT_TRUE(disk.Get("Old", old));
  EXPECT_EQ(old.mCity, "York");
  CNameList diskNames;
  ASSERT_TRUE(diskNames.Load(Path("designer.vtx")));
  EXPECT_EQ(diskNames.Names(), std::vector<std::string>{"Ann"});

  // A file that no longer reads is not replaced by a save.
  WriteBytes(Path("customer.vtx"), "damaged");
  std::string error;
  EXPECT_FALSE(a.PutAndSave(Named("More"), Path("customer.vtx"), &error));
  EXPECT_NE(error.find("not replaced"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(Path("customer.vtx")), "damaged");
}

TEST_F(AddressFiles, ALockFileOfAnotherNameIsLeftAsItIsAndTheSaveRefused)
{
  // Something planted under the lock file's name: a second name of another
  // file, a symbolic link to it, a folder.
  const std::string secret = Path("secret");
  const std::string lock = LockFilePath(Path("customer.vtx"));
  for (const char* plant : {"hard link", "symbolic link", "folder"})
  {
    WriteBytes(secret, "mine alone");
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
    if (std::string(plant) == "hard link")
      fs::create_hard_link(secret, lock);
    else if (std::string(plant) == "symbolic link")
      fs::create_symlink(secret, lock);
    else
      fs::create_directory(lock);
    CAddressBook book;
    std::string error;
    EXPECT_FALSE(book.PutAndSave(Named("Acme"), Path("customer.vtx"), &error)) << plant;
    EXPECT_NE(error.find("lock cannot be taken"), std::string::npos) << plant << ": " << error;
    EXPECT_FALSE(fs::exists(Path("customer.vtx"))) << plant;
    struct stat st{};
    ASSERT_EQ(::stat(secret.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u) << plant;
    EXPECT_EQ(ReadBytes(secret), "mine alone") << plant;
    fs::remove(lock);
    fs::remove(secret);
  }
}

TEST_F(AddressFiles, CopiesSavingAtOnceLoseNoNames)
{
  // Each copy reads both lists, as the program does when it starts, then
  // adds names one save at a time. A save kept waiting too long by the
  // others is refused with a reason and tried again; any other failure ends
  // the copy.
  auto saveOften = [](const std::function<bool(std::string*)>& save)
  {
    std::string error;
    for (int attempt = 0; attempt < 10; ++attempt)
      if (save(&error))
        return std::string();
      else if (error.find("another copy of the program is saving it") == std::string::npos)
        return error;
    return std::string("refused");
  };
  int failed = 0;
  const std::vector<std::string> saved = RunChildren(
      4,
      [&](int child, int report)
      {
        CNameList names;
        CAddressBook book;
        names.Load(Path("designer.vtx"));
        book.Load(Path("customer.vtx"));
        for (int i = 0; i < 25; ++i)
        {
          const std::string name = "Copy " + std::to_string(child) + " name " + std::to_string(i);
          for (const char* list : {"designers", "customers"})
          {
            const std::string result = saveOften(
                [&](std::string* error)
                {
                  return list == std::string("designers")
                             ? names.AddAndSave(name, Path("designer.vtx"), error)
                             : book.PutAndSave(Named(name.c_str()), Path("customer.vtx"), error);
                });
            if (result.empty())
              ReportLine(report, list + (":" + name));
            else if (result != "refused")
              return ReportLine(report, result) ? 1 : 2;
          }
        }
        return 0;
      },
      failed);
  EXPECT_EQ(failed, 0) << ::testing::PrintToString(saved);
  std::vector<std::string> designers, customers;
  for (const std::string& line : saved)
    (line.rfind("designers:", 0) == 0 ? designers : customers).push_back(line.substr(line.find(':') + 1));
  EXPECT_GT(designers.size(), 90u);
  EXPECT_GT(customers.size(), 90u);
  std::sort(designers.begin(), designers.end());
  std::sort(customers.begin(), customers.end());
  CNameList names;
  CAddressBook book;
  ASSERT_TRUE(names.Load(Path("designer.vtx")));
  ASSERT_TRUE(book.Load(Path("customer.vtx")));
  EXPECT_EQ(names.Names(), designers);
  EXPECT_EQ(book.Names(), customers);
}

TEST_F(AddressFiles, ASaveWaitsForAHeldLockThenRefusesWithAReason)
{
  CNameList names;
  names.Add("Kept");
  ASSERT_TRUE(names.Save(Path("designer.vtx")));
  const std::string old = ReadBytes(Path("designer.vtx"));
  CLockFile held(Path("designer.vtx"));
  ASSERT_EQ(held.TryLock(), CLockFile::CState::Held);
  // Also a list never read, which replaces the file whole.
  CNameList fresh;
  std::string error;
  EXPECT_FALSE(fresh.AddAndSave("Lost", Path("designer.vtx"), &error));
  EXPECT_NE(error.find("another copy of the program is saving it"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(Path("designer.vtx")), old);
  held.Unlock();
  CNameList list;
  ASSERT_TRUE(list.Load(Path("designer.vtx")));
  EXPECT_TRUE(list.AddAndSave("Now", Path("designer.vtx")));
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"Kept", "Now"}));
}
