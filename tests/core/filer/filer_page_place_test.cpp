#include "core/filer/filer_layout.h"
#include "core/filer/filer_page_place.h"

#include "filer_fakes.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace mv {
namespace {

TFilerLayout Layout(const std::string& text) {
    const test::TParsed parsed = test::Parse(text);
    EXPECT_FALSE(parsed.Result.IsError) << parsed.Result.Message;
    return BuildFilerLayout(parsed.Edit);
}

TFilerPagePlace Place(const std::string& filer) {
    return PlaceFilerPage(Layout(filer).Pages.at(0).Items, test::TenPixelMetrics());
}

// A field row is 24 pixels high, a bit row 26; captions stand 4 pixels lower than editors,
// which follow them by 4 pixels; jump buttons stand at the editors' right edges.
TEST(PlaceFilerPage, RowsFromTheTop) {
    const TFilerPagePlace page = Place("EDITINTEGER(ab, 0, 1, 0, 0) EDITINTEGER(a, 1, 1, 0, 0)\n"
                                       "EDITSTRING(s, 2, 4, 0) EDITBIT(bit, 0, 1)\n"
                                       "LABEL(xyz) MESSAGE(100, 60, m)");
    ASSERT_EQ(page.Rows.size(), 6u);
    EXPECT_EQ(page.Rows[0].Caption, (TPlaceRect{24, 12, 20, 13}));
    EXPECT_EQ(page.Rows[0].Control, (TPlaceRect{48, 8, 64, 21}));
    EXPECT_EQ(page.Rows[0].Jump, (TPlaceRect{112, 8, 20, 20}));
    EXPECT_EQ(page.Rows[1].Control.Left, 38) << "editors line up after the widest caption";
    EXPECT_EQ(page.Rows[3].Control, (TPlaceRect{24, 82, 50, 20})) << "caption + 20, 2 lower";
    EXPECT_EQ(page.Rows[4].Control, (TPlaceRect{8, 106, 30, 13})) << "a label starts at 8";
    EXPECT_EQ(page.Width, 38 + 200 + 20 + 8);
    EXPECT_EQ(page.Height, 123 + 60 + 8);
}

// Indent and margin count from the page they are written on; a rule spans the page's final
// width, even when a wider field follows it.
TEST(PlaceFilerPage, IndentMarginAndRules) {
    const char* filer = "INDENT(40) PAGE(one) EDITINTEGER(a, 0, 1, 0, 0) INDENT(40)\n"
                        "EDITINTEGER(b, 0, 1, 0, 0) LABEL(l) MARGIN(100)\n"
                        "EDITINTEGER(c, 0, 1, 0, 0) EDITINTEGER(longcaption, 0, 1, 0, 0)\n"
                        "HORIZONTALRULE EDITSTRING(wide, 0, 4, 0)";
    const TFilerPagePlace page = Place(filer);
    EXPECT_EQ(page.Rows[1].Caption.Left, 48);
    EXPECT_EQ(page.Rows[3].Control.Left, 148);
    EXPECT_EQ(page.Rows[4].Control.Left, 148) << "whatever the caption's length";
    const TPlaceRect rule = page.Rows[5].Control;
    EXPECT_EQ(rule.Left, 4);
    EXPECT_EQ(rule.Width, page.Width - 8);
    EXPECT_EQ(page.Width, 148 + 200 + 20 + 8);
}

TEST(PlaceFilerPage, ListWidthFollowsTheWidestLabel) {
    const TFilerPagePlace page =
        Place("EDITSELECT(s, 0, 1, 0=>a, 1=>b) EDITSELECT(t, 0, 1, 0=>abcdefghij, 1=>x)");
    EXPECT_EQ(page.Rows[0].Control.Width, 64);
    EXPECT_EQ(page.Rows[1].Control.Width, 132);
}

TEST(FieldHint, AddressAndBit) {
    TFilerItem item;
    item.Kind = TFilerItemKind::EditInteger;
    item.Address = 0x1C;
    EXPECT_EQ(FieldHint(item), "0x0000001c");
    item.Address = -2;
    EXPECT_EQ(FieldHint(item), "0xfffffffe");
    item.Address = 0x1FFFFFFFEll;
    EXPECT_EQ(FieldHint(item), "0x1fffffffe");
    item.Kind = TFilerItemKind::EditBit;
    item.Address = 6;
    item.Bit = 3;
    EXPECT_EQ(FieldHint(item), "0x00000006 - 3");
}

// Rows before any PAGE open an untitled page. Base address, enabling, indent and margin start
// afresh on every page; byte order does not. The last TITLE wins.
TEST(BuildFilerLayout, PagesAndTheirState) {
    EXPECT_FALSE(Layout("LABEL(x)").Title.has_value());
    const TFilerLayout layout =
        Layout("TITLE(first) LABEL(x) TITLE(last)\n"
               "INDENT(40) DISABLE SEGMENT(0x100) BIGENDIAN\n"
               "PAGE(one) EDITINTEGER(a, 2, 2, 0, 9)\n"
               "SEGMENT(0x100) INDENT(40) MARGIN(100) DISABLE\n"
               "EDITSTRING(s, 2, 8, 0x20) LITTLEENDIAN BIGENDIAN\n"
               "PAGE(two) EDITSELECT(c, 1, 4, \"=>zero\", \"7=>a=>b\")\n"
               "SEGMENT(0x7FFFFFFF) MESSAGE(60, 70, l1, l2) HORIZONTALRULE\n"
               "EDITINTEGER(far, 0x7FFFFFFF, 4, 0, 0)");
    EXPECT_EQ(layout.Title, "last");
    ASSERT_EQ(layout.Pages.size(), 3u);
    EXPECT_EQ(layout.Pages[0].Name, "(no title)");
    const auto& one = layout.Pages[1].Items;
    const auto& two = layout.Pages[2].Items;
    ASSERT_EQ(one.size(), 2u);
    ASSERT_EQ(two.size(), 4u);
    using State = std::tuple<std::int64_t, bool, bool, std::int32_t, std::int32_t>;
    const auto state = [](const TFilerItem& i) {
        return State{i.Address, i.Enabled, i.BigEndian, i.Indent, i.Margin};
    };
    constexpr auto Auto = TFilerItem::Automatic;
    EXPECT_EQ(state(one[0]), (State{2, true, true, Auto, Auto}));
    EXPECT_EQ(state(one[1]), (State{0x102, false, true, 40, 100}));
    EXPECT_EQ(state(two[0]), (State{1, true, true, Auto, Auto}));
    EXPECT_EQ(two[0].Options, (std::vector<TFilerOption>{{0, "zero"}, {7, "a=>b"}}));
    EXPECT_EQ(two[1].Lines, (std::vector<std::string>{"l1", "l2"}));
    EXPECT_EQ(two[2].Kind, TFilerItemKind::HorizontalRule);
    EXPECT_EQ(two[3].Address, 0xFFFFFFFEll) << "no 32-bit wrap to a negative address";
}

} // namespace
} // namespace mv
