#include "core/filer/filer_layout.h"

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
