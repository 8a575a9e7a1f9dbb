#include "storage/address_book.h"
#include "storage/name_list.h"

#include "tests/common/file_bytes.h"
#include "tests/common/temp_folder.h"
#include "tests/storage/byte_builder.h"
#include "model/project.h"

#include <gtest/gtest.h>

#include <filesystem>

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
