#include <gtest/gtest.h>

#include <vector>

#include "GSRoot/Array.hpp"
#include "GSRoot/HashSet.hpp"
#include "GSRoot/HashTable.hpp"
#include "GSRoot/UniString.hpp"

namespace {

std::vector<std::string> KeysOf(const GS::HashSet<GS::UniString>& set) {
    std::vector<std::string> keys;
    for (const GS::UniString& key : set)
        keys.push_back(key.ToUtf8());
    return keys;
}

std::vector<std::string> KeysOf(const GS::HashTable<GS::UniString, int>& table) {
    std::vector<std::string> keys;
    for (const auto& entry : table)
        keys.push_back(entry.key.ToUtf8());
    return keys;
}

using Keys = std::vector<std::string>;

TEST(HashSetOrder, IteratesInFirstInsertionOrder) {
    GS::HashSet<GS::UniString> set;
    for (const char* key : {"C", "A", "B", "A", "D"})
        set.Add(key);
    EXPECT_EQ(KeysOf(set), (Keys{"C", "A", "B", "D"}));
    EXPECT_FALSE(set.Add("C"));
}

TEST(HashSetOrder, DeletingMiddleKeyMovesLastKeyIntoItsPlace) {
    GS::HashSet<GS::UniString> set{"A", "B", "C", "D", "E"};
    ASSERT_TRUE(set.Delete("B"));
    EXPECT_EQ(KeysOf(set), (Keys{"A", "E", "C", "D"}));
    // The moved key must still be found at its new place.
    ASSERT_TRUE(set.Delete("E"));
    EXPECT_EQ(KeysOf(set), (Keys{"A", "D", "C"}));
    EXPECT_FALSE(set.Contains("E"));
    EXPECT_TRUE(set.Contains("D"));
}

TEST(HashSetOrder, DeletingLastOrAbsentKey) {
    GS::HashSet<GS::UniString> set{"A", "B", "C"};
    EXPECT_TRUE(set.Delete("C"));
    EXPECT_FALSE(set.Delete("C"));
    EXPECT_EQ(KeysOf(set), (Keys{"A", "B"}));
    set.Add("C");
    EXPECT_EQ(KeysOf(set), (Keys{"A", "B", "C"}));
}

TEST(HashTableOrder, DeletingMiddleKeyMovesLastEntryWithItsValue) {
    GS::HashTable<GS::UniString, int> table;
    table.Add("A", 1);
    table.Add("B", 2);
    table.Add("C", 3);
    table.Add("D", 4);
    ASSERT_TRUE(table.Delete("A"));
    EXPECT_EQ(KeysOf(table), (Keys{"D", "B", "C"}));
    EXPECT_EQ(table.Get("D"), 4);
    table.Put("B", 20);
    EXPECT_EQ(KeysOf(table), (Keys{"D", "B", "C"}));
    EXPECT_EQ(table.Get("B"), 20);
    EXPECT_FALSE(table.Add("C", 30));
    EXPECT_EQ(table.Get("C"), 3);
}

TEST(ApartmentIdKeys, CaseAndLeadingBlankMakeDistinctKeys) {
    GS::HashSet<GS::UniString> set;
    EXPECT_TRUE(set.Add("A1"));
    EXPECT_TRUE(set.Add("a1"));
    EXPECT_TRUE(set.Add(" A1"));
    EXPECT_TRUE(set.Add(""));
    EXPECT_FALSE(set.Add(GS::UniString(u"A1")));
    EXPECT_EQ(set.GetSize(), 4u);

    GS::HashTable<GS::UniString, GS::Array<int>> table;
    table.Add("A1", {1});
    table.Add("a1", {2});
    table.Add(" A1", {3});
    table.Get("A1").Push(4);
    EXPECT_EQ(table.GetSize(), 3u);
    EXPECT_EQ(table.Get("A1"), (GS::Array<int>{1, 4}));
    EXPECT_EQ(table.Get("a1"), (GS::Array<int>{2}));
    EXPECT_EQ(table.Get(" A1"), (GS::Array<int>{3}));
}

} // namespace
