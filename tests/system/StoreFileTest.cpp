#include "system/StoreFile.h"

#include <gtest/gtest.h>

TEST(StoreFile, RoundTripsAwkwardNamesAndValues)
{
    StoreFile store;
    store.setValue("Software\\Taskel\\Korvane\\RecentFileNames", "0", "/home/a b/100%=[x].mkv");
    store.setValue("Software\\Taskel\\Korvane\\RecentFileNames", "", "line1\r\nline2");
    store.setValue("Software\\Taskel\\Korvane\\RecentFileNames", "@odd=name]", " padded ");
    store.setValue("Key[1]", "x", "");

    const StoreFile back = StoreFile::parse(store.serialize());
    EXPECT_EQ(back.value("Software\\Taskel\\Korvane\\RecentFileNames", "0"),
              QString("/home/a b/100%=[x].mkv"));
    EXPECT_EQ(back.value("Software\\Taskel\\Korvane\\RecentFileNames", ""),
              QString("line1\r\nline2"));
    EXPECT_EQ(back.value("Software\\Taskel\\Korvane\\RecentFileNames", "@odd=name]"),
              QString(" padded "));
    EXPECT_EQ(back.value("Key[1]", "x"), QString(""));
}

TEST(StoreFile, KeysAndNamesIgnoreCase)
{
    StoreFile store;
    store.setValue("Software\\Taskel Media Player\\Setting", "txtHwnd", "a");
    store.setValue("SOFTWARE\\taskel media player\\setting", "TXTHWND", "b");
    EXPECT_EQ(store.keys().size(), 1);
    EXPECT_EQ(store.value("software\\Taskel Media Player\\Setting", "txthwnd"), QString("b"));
}

TEST(StoreFile, DefaultValueIsDistinctFromNamedAt)
{
    StoreFile store;
    store.setValue("K", "", "default");
    store.setValue("K", "@", "at");
    const StoreFile back = StoreFile::parse(store.serialize());
    EXPECT_EQ(back.value("K", ""), QString("default"));
    EXPECT_EQ(back.value("K", "@"), QString("at"));
}

TEST(StoreFile, RemoveReportsWhetherSomethingWentAway)
{
    StoreFile store;
    store.setValue("K", "a", "1");
    EXPECT_TRUE(store.removeValue("k", "A"));
    EXPECT_FALSE(store.removeValue("K", "a"));
    EXPECT_FALSE(store.removeValue("Missing", "a"));
    EXPECT_EQ(store.value("K", "a"), std::nullopt);
}

TEST(StoreFile, ToleratesGarbageAndBadEscapes)
{
    const StoreFile store = StoreFile::parse("no section=1\n[K]\njunk line\nv=50%zz%4\n[broken\n");
    EXPECT_EQ(store.value("K", "v"), QString("50%zz%4"));
    EXPECT_EQ(store.value("", "no section"), std::nullopt);
}

TEST(StoreFile, ThousandsOfKeysKeepTheirOrderAndLookUpsAfterRemovals)
{
    QByteArray text;
    for (int i = 0; i < 5000; ++i) {
        text += "[Key " + QByteArray::number(i) + "]\r\na=" + QByteArray::number(i) + "\r\nb=x\r\n";
    }
    text += "[KEY 7]\nA=again\n"; // the same key and name in other case: the later value wins
    StoreFile store = StoreFile::parse(text);
    ASSERT_EQ(store.keys().size(), 5000);
    EXPECT_EQ(store.keys().at(4999).path, "Key 4999");
    EXPECT_EQ(store.value("key 7", "a"), QString("again"));
    EXPECT_EQ(store.value("Key 4321", "A"), QString("4321"));
    EXPECT_TRUE(store.removeValue("Key 12", "a"));
    EXPECT_EQ(store.value("Key 12", "b"), QString("x")) << "the names after a removed one";
    store.setValue("Key 12", "a", "back");
    const StoreFile back = StoreFile::parse(store.serialize());
    EXPECT_EQ(back.value("Key 12", "a"), QString("back"));
    EXPECT_EQ(back.keys().at(12).values.at(0).name, "b");
    EXPECT_EQ(back.value("Key 4999", "b"), QString("x"));
}
