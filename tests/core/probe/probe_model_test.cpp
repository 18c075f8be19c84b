#include "core/probe/probe_model.h"

#include <gtest/gtest.h>

#include <span>
#include <vector>

namespace mv {
namespace {

using R = TProbeRow;

// A row shows nothing once its value reaches past the data, and never reads beyond it (the
// sanitizer build catches a read past the shortened copy). Read little endian, these bytes
// mean something in every row: 1980-01-01 as an MS-DOS date, a time within the years shown.
TEST(ProbeModel, RowsBeyondTheDataAreEmpty) {
    std::vector<Byte> bytes(ProbeSpan, 0x00);
    bytes[2] = 0x21;
    TProbeModel model;
    for (int index = 0; index < ProbeRowCount; ++index) {
        const R row = R(index);
        model.SetBytes(bytes);
        EXPECT_NE(model.Text(row), "") << RowCaption(row);
        model.SetBytes(std::span(bytes).first(RowSize(row) - 1));
        EXPECT_EQ(model.Text(row), "") << RowCaption(row);
    }
}

TEST(ProbeModel, EditsOverwriteButNeverExtendTheData) {
    TProbeModel model;
    model.SetBytes(std::vector<Byte>(20, 0x01));
    EXPECT_EQ(model.Bytes().size(), ProbeSpan);
    model.SetBytes(std::vector<Byte>{0x34, 0x12, 0x00});
    model.SetByteOrder(std::endian::big);
    EXPECT_EQ(model.Edit(R::Int16, "0x1234").Bytes, (std::vector<Byte>{0x12, 0x34}));
    EXPECT_EQ(model.Edit(R::Int32, "1"),
              TProbeEdit::Refused("書き込む値の範囲がファイル終端を越えています."));
    EXPECT_TRUE(model.Holds(model.Edit(R::UInt8, "52").Bytes));
    EXPECT_FALSE(model.Holds(model.Edit(R::Int16, "0x1234").Bytes));
    EXPECT_FALSE(model.Holds(std::vector<Byte>{0x34, 0x12, 0x00, 0x00}));
}

} // namespace
} // namespace mv
