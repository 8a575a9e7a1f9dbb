#include "storage/default_distributor.h"

#include "model/address.h"
#include "storage/settings_store.h"

#include <gtest/gtest.h>

TEST(Distributor, ReadsAndWritesTheSettingsStore)
{
  CMemorySettingsStore store;
  store.Write("Distributor", "Name", "Soci\xC3\xA9t\xC3\xA9 X"); // UTF-8 in the store
  store.Write("Distributor", "Zip", "75001");
  const CAddress d = LoadDistributor(store);
  EXPECT_EQ(d.mName, "Soci\xE9t\xE9 X"); // Windows-1252 in the model
  EXPECT_EQ(d.mZip, "75001");
  EXPECT_EQ(d.mCity, ""); // missing values read as empty
  EXPECT_EQ(LoadDistributor(store), d); // reading leaves the store as it was

  CAddress next{"Caf\xE9", "a1", "a2", "c", "s", "k", "z"};
  SaveDistributor(store, next);
  EXPECT_EQ(store.Read("Distributor", "Name"), "Caf\xC3\xA9");
  EXPECT_EQ(store.Read("Distributor", "Address1"), "a1");
  EXPECT_EQ(store.Read("Distributor", "Address2"), "a2");
  EXPECT_EQ(store.Read("Distributor", "Country"), "k");
  EXPECT_EQ(LoadDistributor(store), next);
  SaveDistributor(store, CAddress{}); // an empty default reads back empty
  EXPECT_EQ(LoadDistributor(store), CAddress{});
}
