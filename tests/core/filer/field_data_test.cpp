#include "core/filer/field_data.h"

#include "filer_fakes.h"

#include <gtest/gtest.h>

#include <vector>

namespace mv {
namespace {

using Bytes = std::vector<Byte>;

TEST(FieldData, InRangeMeansEveryByteInsideTheData) {
    const test::TVectorTarget target(Bytes(8, 0));
    EXPECT_TRUE(FieldInRange(target, 6, 2));
    EXPECT_FALSE(FieldInRange(target, 7, 2)) << "a two-byte field at the last byte";
    EXPECT_FALSE(FieldInRange(target, 8, 1));
    EXPECT_FALSE(FieldInRange(target, -1, 1));
    EXPECT_FALSE(FieldInRange(target, 0, 0));
    EXPECT_FALSE(FieldInRange(target, 0, -1));
    EXPECT_FALSE(FieldInRange(target, 0xFFFFFFFEll, 1)) << "a base plus an address past 32 bits";
}

TEST(FieldData, IntegersByWidthAndByteOrder) {
    struct Case {
        Bytes Data;
        std::int32_t Width;
        bool BigEndian;
        std::int32_t Value;
    };
    const Case cases[] = {
        {{0x12, 0x34}, 2, true, 4660},
        {{0xFF, 0xFF, 0xFF, 0xFF}, 4, false, -1},
        {{0xFF}, 1, true, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Width << (c.BigEndian ? " big" : " little"));
        test::TVectorTarget target(c.Data);
        EXPECT_EQ(ReadFieldInteger(target, 0, c.Width, c.BigEndian), c.Value);
        test::TVectorTarget written(Bytes(c.Data.size(), 0));
        EXPECT_TRUE(WriteFieldInteger(written, 0, c.Width, c.BigEndian, c.Value));
        EXPECT_EQ(written.Bytes, c.Data);
    }
    test::TVectorTarget target(Bytes(2, 0));
    EXPECT_FALSE(WriteFieldInteger(target, 1, 2, false, 1));
    EXPECT_EQ(ReadFieldInteger(target, 1, 2, false), 0);
    EXPECT_EQ(IntegerBytes(0x12345678, 2, true), (Bytes{0x56, 0x78})) << "cut, then swapped";
}

TEST(FieldData, StringsAsShown) {
    const std::pair<Bytes, std::string> cases[] = {
        {{0x41, 0x00, 0x42, 0x00}, "A B"},
        {{0x41, 0x82}, "A"}, // a lead byte with nothing after it is a space, then trimmed
        {{0xB1, 0x7F, 0x80, 0x20}, "\xB1"},
        {{0x20, 0x41, 0x09, 0x20}, " A"},
    };
    for (const auto& [data, text] : cases) {
        const test::TVectorTarget target(data);
        EXPECT_EQ(ReadFieldText(target, 0, static_cast<std::int32_t>(data.size())), text);
    }
    test::TVectorTarget target(Bytes(6, 0xEE));
    EXPECT_TRUE(WriteFieldText(target, 1, 4, "A B", 0));
    EXPECT_EQ(target.Bytes, (Bytes{0xEE, 'A', ' ', 'B', 0, 0xEE}));
    EXPECT_TRUE(WriteFieldText(target, 0, 2, "XYZ", 0));
    EXPECT_EQ(target.Bytes, (Bytes{'X', 'Y', ' ', 'B', 0, 0xEE}));
    EXPECT_FALSE(WriteFieldText(target, 4, 4, "x", 0));
}

} // namespace
} // namespace mv
