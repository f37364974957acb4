#include "mediainfo/OrderedMap.h"

#include <gtest/gtest.h>

TEST(OrderedMap, KeepsInsertionOrderAndPlaceOnOverwrite)
{
    OrderedMap map;
    map.insert("b", 1);
    map.insert("a", 2);
    map.insert("c", 3);
    map.insert("a", 20);
    EXPECT_EQ(map.keys(), QStringList({"b", "a", "c"}));
    EXPECT_EQ(map.value("a").toInt(), 20);
    EXPECT_TRUE(map.remove("b"));
    EXPECT_FALSE(map.remove("b"));
    map.insert("b", 4);
    EXPECT_EQ(map.keys(), QStringList({"a", "c", "b"}));
}

TEST(OrderedMap, KeysAreCaseSensitiveAndMissingKeysGiveTheDefault)
{
    OrderedMap map;
    map.insert("Stream0", 1);
    EXPECT_FALSE(map.contains("stream0"));
    EXPECT_FALSE(map.value("stream0").isValid());
    EXPECT_EQ(map.value("stream0", 7).toInt(), 7);
}

TEST(OrderedMap, EqualityLooksAtOrderAndNestedMaps)
{
    OrderedMap inner;
    inner.insert("x", 1.5f);
    OrderedMap a;
    a.insert("k", 1);
    a.insert("n", QVariant::fromValue(inner));
    OrderedMap b;
    b.insert("k", 1);
    b.insert("n", QVariant::fromValue(inner));
    EXPECT_EQ(a, b);

    OrderedMap reordered;
    reordered.insert("n", QVariant::fromValue(inner));
    reordered.insert("k", 1);
    EXPECT_FALSE(a == reordered);

    inner.insert("x", 2.5f);
    b.insert("n", QVariant::fromValue(inner));
    EXPECT_FALSE(a == b);
}

TEST(OrderedMap, JsonKeepsOrderTypesAndEscapes)
{
    OrderedMap inner;
    inner.insert("Type", 2);
    inner.insert("FPS", 29.97f);
    inner.insert("Interlaced", false);
    OrderedMap map;
    map.insert("FileName", QString("/tmp/a \"b\"\\c\n\x01.mpg"));
    map.insert("Duration", 0.1f);
    map.insert("IsAVI", true);
    map.insert("Stream0", QVariant::fromValue(inner));
    map.insert("Nothing", QVariant());
    EXPECT_EQ(map.toJson(),
              QByteArray("{\"FileName\":\"/tmp/a \\\"b\\\"\\\\c\\n\\u0001.mpg\","
                         "\"Duration\":0.1,\"IsAVI\":true,"
                         "\"Stream0\":{\"Type\":2,\"FPS\":29.97,\"Interlaced\":false},"
                         "\"Nothing\":null}"));
}

TEST(OrderedMap, JsonWritesNonAsciiAsUtf8AndNonFiniteAsNull)
{
    OrderedMap map;
    map.insert(QString::fromUtf8("Ä"), QString::fromUtf8("Grüße"));
    map.insert("nan", std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(map.toJson(), QString::fromUtf8("{\"Ä\":\"Grüße\",\"nan\":null}").toUtf8());
}
