// The character list: its length by set and the pixels of an item's square.
#include "ui/typedvalues/sel_char.h"

#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

namespace mv {
namespace {

class SelCharTest : public ::testing::Test {
protected:
    void SetUp() override {
        list_ = std::make_unique<TSelChar>();
        list_->resize(320, 200);
        list_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list_.get()));
    }

    // The 16 x 16 square of an item, scrolled into view, as painted.
    QImage Square(int code) {
        list_->scrollToItem(list_->item(code), QAbstractItemView::PositionAtTop);
        const QRect item = list_->visualItemRect(list_->item(code));
        EXPECT_EQ(item.height(), 16);
        return list_->viewport()->grab().toImage().copy(item.left(), item.top(), 16, 16);
    }
    static int Count(const QImage& image, const QColor& color) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == color;
        return count;
    }

    std::unique_ptr<TSelChar> list_;
};

const QColor Black(0, 0, 0);
const QColor Silver(0xC0, 0xC0, 0xC0);

TEST_F(SelCharTest, SetDecidesTheLength) {
    // A selection the shorter list has no room for is dropped, not left stale.
    list_->SetAsciiCharaSet(TAsciiSet::asNEC);
    EXPECT_EQ(list_->count(), 256);
    list_->setCurrentRow(200);
    list_->SetAsciiCharaSet(TAsciiSet::asASCII);
    EXPECT_EQ(list_->count(), 128);
    EXPECT_EQ(list_->SelectedCode(), -1);
}

TEST_F(SelCharTest, GlyphsOnTheSilverSquare) {
    // The glyph sits in columns 4 to 11 of the silver square.
    const QImage a = Square(0x41);
    EXPECT_GT(Count(a, Black), 10);
    EXPECT_EQ(Count(a.copy(0, 0, 4, 16), Silver), 64);

    // ASCII draws 0x5C as a backslash, JIS X 0201 as the yen sign; the glyph slot test covers
    // the other codes of each set.
    const QImage backslash = Square(0x5C);
    list_->SetAsciiCharaSet(TAsciiSet::asJISX0201);
    const QImage yen = Square(0x5C);
    EXPECT_NE(backslash, yen);
}

} // namespace
} // namespace mv
