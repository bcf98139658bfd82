#include "profile/TextList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(const cTextList& list) {
    std::vector<std::string> texts;
    for (const cTextItem& item : list)
        texts.push_back(item.Text);
    return texts;
}

TEST(TextList, SortedListsOrderCaseInsensitivelyWithTiesByBytes) {
    cTextList list(TextListKind::SortedExact);
    for (const char* text : {"\\b\\", "\\a\\", "\\C\\", "\\A\\", "\\B\\*"})
        list.Add(text);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"\\A\\", "\\a\\", "\\b\\", "\\B\\*", "\\C\\"}));
}

TEST(TextList, DirectoryListsDropOnlyExactDuplicates) {
    cTextList list(TextListKind::SortedExact);
    EXPECT_TRUE(list.Add("\\Daten\\", 1));
    EXPECT_TRUE(list.Add("\\daten\\", 2));
    EXPECT_FALSE(list.Add("\\Daten\\", 3));
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"\\Daten\\", "\\daten\\"}));
    EXPECT_EQ(list.Tag(0), 1) << "a dropped duplicate leaves the item as it was";
    EXPECT_EQ(list.Find("\\daten\\"), 1u);
    EXPECT_FALSE(list.Find("\\DATEN\\").has_value());
}

TEST(TextList, MaskListsDropCaseInsensitiveDuplicates) {
    cTextList list(TextListKind::SortedNoCase);
    EXPECT_TRUE(list.Add("*.TXT"));
    EXPECT_FALSE(list.Add("*.txt"));
    EXPECT_TRUE(list.Add("*.doc"));
    EXPECT_TRUE(list.Add("Ärger.doc"));
    EXPECT_FALSE(list.Add("ärger.DOC"));
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"*.doc", "*.TXT", "Ärger.doc"}));
    EXPECT_EQ(list.Find("*.Txt"), 1u);
    EXPECT_EQ(list.Find("ÄRGER.DOC"), 2u);
    EXPECT_FALSE(list.Find("*.tx").has_value());
}

TEST(TextList, LookupFindsEveryItemOfALargeSortedList) {
    cTextList list(TextListKind::SortedNoCase);
    for (int i = 999; i >= 0; --i)
        list.Add("Server" + std::to_string(i));
    ASSERT_EQ(list.Size(), 1000u);
    for (int i = 0; i < 1000; ++i) {
        auto index = list.Find("SERVER" + std::to_string(i));
        ASSERT_TRUE(index.has_value()) << i;
        EXPECT_EQ(list.Text(*index), "Server" + std::to_string(i));
    }
}

TEST(TextList, PlainListsKeepOrderAndDuplicates) {
    cTextList list;
    list.Add("zip -r", 0);
    list.Add("", 30);
    list.Add("zip -r", 0);
    list.Add("", 30);
    EXPECT_EQ(list.Size(), 4u);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"zip -r", "", "zip -r", ""}));
    EXPECT_EQ(list.Tag(1), 30);
    EXPECT_EQ(list.Find(""), 1u);
    list.Remove(0);
    EXPECT_EQ(list.Text(0), "");
}

} // namespace
