// The compiled resource file of Tarnwick X, opened with the Resource Manager:
// every resource the program names is there, and the layouts the Menu and
// Dialog Managers decode hold the right fields.
#include <MacMemory.h>
#include <Resources.h>
#include <resources/ResourceFileAccess.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

class ApplicationResources : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(toolbox::openResourceFileAtPath(KORV_TARNWICK_RESOURCES, fsRdPerm, &refNum_), noErr);
        UseResFile(refNum_);
    }
    void TearDown() override
    {
        if (refNum_ > 0)
            CloseResFile(refNum_);
    }
    // The bytes of a resource of the file, empty when absent.
    static std::vector<uint8_t> bytesOf(const char (&type)[5], short id)
    {
        Handle h = Get1Resource(FOUR_CHAR_CODE(type), id);
        if (!h)
            return {};
        const auto* p = reinterpret_cast<const uint8_t*>(*h);
        return std::vector<uint8_t>(p, p + GetHandleSize(h));
    }
    static unsigned u16(const std::vector<uint8_t>& b, size_t at)
    {
        return unsigned(b.at(at)) << 8 | b.at(at + 1);
    }
    static std::string pascal(const std::vector<uint8_t>& b, size_t& at)
    {
        const size_t n = b.at(at);
        std::string s(b.begin() + long(at) + 1, b.begin() + long(at + 1 + n));
        at += 1 + n;
        return s;
    }

    SInt16 refNum_ = -1;
};

ResType typeOf(const char* s)
{
    return ResType(uint8_t(s[0])) << 24 | ResType(uint8_t(s[1])) << 16 | ResType(uint8_t(s[2])) << 8
        | uint8_t(s[3]);
}

// Every resource the program asks for by type and ID, and nothing more: a
// resource dropped from (or left over in) the sources shows here. Sizes are
// left to the tests of what each resource holds.
TEST_F(ApplicationResources, HoldsEveryResourceTheProgramNamesAndNothingElse)
{
    const struct {
        const char* type;
        std::vector<short> ids;
    } kResources[] = {
        {"MENU", {1, 2}},
        {"DLOG", {128, 130}},
        {"DITL", {128, 130, 132, 133, 10001, 10002}},
        {"ALRT", {132, 133, 10001, 10002}},
        {"cicn", {128, 1000, 1001, 1002, 1003}},
        {"PICT", {128, 129, 130, 131, 132, 133, 135, 136, 137, -4048}},
    };
    for (const auto& r : kResources) {
        for (short id : r.ids)
            EXPECT_NE(Get1Resource(typeOf(r.type), id), nullptr) << "'" << r.type << "' " << id;
        EXPECT_EQ(Count1Resources(typeOf(r.type)), short(r.ids.size())) << r.type;
    }
}

TEST_F(ApplicationResources, RatioMenusListTheirItemsAllEnabled)
{
    const struct {
        short id;
        uint32_t enableFlags;
        std::vector<std::string> items;
    } kMenus[] = {
        {1, 0x1FF, {"Automatic", "1:1", "3:2", "2:1", "5:2", "3:1", "7:2", "4:1"}},
        {2, 0x3F, {"1:1", "3:2", "2:1", "5:2", "3:1"}},
    };
    for (const auto& m : kMenus) {
        const std::vector<uint8_t> b = bytesOf("MENU", m.id);
        ASSERT_FALSE(b.empty());
        EXPECT_EQ(u16(b, 0), unsigned(m.id));
        EXPECT_EQ(u16(b, 10) << 16 | u16(b, 12), m.enableFlags);
        size_t at = 14;
        EXPECT_EQ(pascal(b, at), "Cache Ratio");
        std::vector<std::string> items;
        while (b.at(at) != 0) {
            items.push_back(pascal(b, at));
            at += 4; // icon, key, mark, style
        }
        EXPECT_EQ(items, m.items) << "MENU " << m.id;
        EXPECT_EQ(at + 1, b.size());
    }
}

struct ItemLayout {
    unsigned type; // with 0x80 when disabled
    int left, top, right, bottom;
    std::string data;
};

std::vector<ItemLayout> decodeItems(const std::vector<uint8_t>& b)
{
    std::vector<ItemLayout> items;
    const int count = int(b.at(0) << 8 | b.at(1)) + 1;
    size_t at = 2;
    auto s16 = [&](size_t p) { return int(int16_t(b.at(p) << 8 | b.at(p + 1))); };
    for (int i = 0; i < count; ++i) {
        ItemLayout it;
        it.top = s16(at + 4);
        it.left = s16(at + 6);
        it.bottom = s16(at + 8);
        it.right = s16(at + 10);
        it.type = b.at(at + 12);
        const size_t n = b.at(at + 13);
        it.data.assign(b.begin() + long(at) + 14, b.begin() + long(at + 14 + n));
        at += 14 + n + (n % 2);
        items.push_back(it);
    }
    EXPECT_EQ(at, b.size());
    return items;
}

TEST_F(ApplicationResources, WarningDialogsHaveTheirButtonsTextAndCheckBoxWhereTheProgramExpects)
{
    // 128: 1 declines (default), 2 goes ahead, 3 the text, 4 the check box.
    const auto w128 = decodeItems(bytesOf("DITL", 128));
    ASSERT_EQ(w128.size(), 5u);
    EXPECT_EQ(w128[0].type, 4u);
    EXPECT_EQ(w128[0].data, "Cancel");
    EXPECT_EQ(w128[1].type, 4u);
    EXPECT_EQ(w128[1].data, "Continue");
    EXPECT_EQ(w128[2].type, 0x88u);
    EXPECT_EQ(w128[3].type, 5u);
    EXPECT_EQ(w128[3].data, "Don\xD5t show this warning again");
    EXPECT_EQ(w128[4].type, 0xA0u);
    EXPECT_EQ(w128[4].data, std::string("\0\x02", 2));

    // 130: the same buttons, the text with ^0 (MHz) and ^1 (ratio), the check box in 6.
    const auto w130 = decodeItems(bytesOf("DITL", 130));
    ASSERT_EQ(w130.size(), 6u);
    EXPECT_EQ(w130[0].data, "Cancel");
    EXPECT_EQ(w130[1].data, "Change");
    EXPECT_EQ(w130[2].type, 0x88u);
    EXPECT_NE(w130[2].data.find("^0 MHz"), std::string::npos);
    EXPECT_NE(w130[2].data.find("At ^1 "), std::string::npos);
    EXPECT_EQ(w130[5].type, 5u);
    EXPECT_EQ(w130[5].data, "Don\xD5t warn me about fast ratios again");
    EXPECT_EQ((std::vector<int> {w130[5].left, w130[5].top, w130[5].right, w130[5].bottom}),
        (std::vector<int> {68, 120, 368, 138}));

    // Both are plain dialog boxes at the alert position, hidden until shown, using their own item lists.
    for (short id : {128, 130}) {
        const auto d = bytesOf("DLOG", id);
        EXPECT_EQ(u16(d, 8), 1u) << id; // dBoxProc
        EXPECT_EQ(d.at(10), 0) << id; // not visible
        EXPECT_EQ(u16(d, 18), unsigned(id));
        EXPECT_EQ(u16(d, 22), 0x300Au);
    }
}

TEST_F(ApplicationResources, ErrorAlertsShowTheirParametersWithOkAsTheDefault)
{
    const struct {
        short id;
        std::vector<std::string> texts;
    } kAlerts[] = {
        {10001, {"OK", "^0", "Error ^3 in ^1, line ^2."}},
        {10002, {"OK", "^0"}},
        {132,
            {"OK",
                "The saved cache ratio was \xD2"
                "Automatic\xD3, but the backside cache is off, so the ratio has "
                "been set to 3:1."}},
        {133,
            {"OK",
                "The saved cache ratio was \xD2"
                "Automatic\xD3. It has been replaced by the ratio the backside "
                "cache is running at now."}},
    };
    for (const auto& a : kAlerts) {
        const auto alrt = bytesOf("ALRT", a.id);
        ASSERT_EQ(alrt.size(), 14u);
        EXPECT_EQ(u16(alrt, 8), unsigned(uint16_t(a.id)));
        // Every stage: draw, item 1 the default, one beep.
        EXPECT_EQ(u16(alrt, 10), 0x5555u);
        const auto items = decodeItems(bytesOf("DITL", a.id));
        std::vector<std::string> texts;
        for (const auto& it : items)
            texts.push_back(it.data);
        EXPECT_EQ(texts, a.texts) << a.id;
        EXPECT_EQ(items.at(0).type, 4u);
    }
}

TEST_F(ApplicationResources, ColourIconsAndPicturesHaveTheSizesThePanesDrawThemAt)
{
    const struct {
        short id;
        int width, height;
    } kIcons[] = {{1000, 8, 12}, {1001, 12, 8}, {1002, 8, 12}, {1003, 12, 8}, {128, 32, 32}};
    for (const auto& i : kIcons) {
        const auto b = bytesOf("cicn", i.id);
        ASSERT_GE(b.size(), 82u);
        EXPECT_TRUE(u16(b, 4) & 0x8000) << i.id; // a PixMap
        EXPECT_EQ(u16(b, 10), unsigned(i.height)) << i.id;
        EXPECT_EQ(u16(b, 12), unsigned(i.width)) << i.id;
    }
    const struct {
        short id;
        int width, height;
    } kPictures[] = {{128, 11, 18}, {130, 11, 18}, {131, 11, 18}, {133, 11, 18}, {135, 11, 18}, {137, 11, 18},
        {-4048, 300, 50}};
    for (const auto& p : kPictures) {
        const auto b = bytesOf("PICT", p.id);
        ASSERT_GE(b.size(), 14u);
        EXPECT_EQ(u16(b, 6), unsigned(p.height)) << p.id;
        EXPECT_EQ(u16(b, 8), unsigned(p.width)) << p.id;
        EXPECT_EQ(u16(b, 10), 0x0011u); // version 2
        EXPECT_EQ(u16(b, 12), 0x02FFu);
        EXPECT_EQ(u16(b, b.size() - 2), 0x00FFu); // end of picture
    }
}

} // namespace
