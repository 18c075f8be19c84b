// The integer frame's wiring: three fields that agree, the width keys, the focus, the address
// signs and the mode.
#include "ui/typedvalues/frm_input_int.h"

#include "ui/typedvalues/edit_int.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>

#include <gtest/gtest.h>

#include <memory>

namespace mv {
namespace {

class FrmInputIntTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame_ = std::make_unique<TFrmInputInt>();
        frame_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
        frame_->activateWindow();
        Focus(frame_->EditDec());
    }
    static void Focus(TEditInt& field) {
        field.setFocus();
        QApplication::processEvents();
    }

    std::unique_ptr<TFrmInputInt> frame_;
};

TEST_F(FrmInputIntTest, FieldsAgreeAndPassOnTheKeysTheyDoNotUse) {
    frame_->SetVariableType(TVariableType::vtByte);
    QTest::keyClicks(&frame_->EditDec(), "300");
    EXPECT_EQ(frame_->EditBin().Value(), 300);
    EXPECT_EQ(frame_->EditOut().Value(), 300 - 256);
    EXPECT_EQ(frame_->EditHex().VariableType(), TVariableType::vtByte);
    EXPECT_EQ(frame_->MaxDec().Value(), 255);

    // Keys the fields pass on: the width, the focus and the address sign.
    QTest::keyClick(&frame_->EditDec(), Qt::Key_PageUp);
    EXPECT_EQ(frame_->Variable().currentText(), QStringLiteral("Word(16bit)"));
    EXPECT_EQ(frame_->MaxHex().Value(), 65535);

    QTest::keyClick(&frame_->EditDec(), Qt::Key_Up);
    EXPECT_TRUE(frame_->EditBin().hasFocus());
    QTest::keyClick(&frame_->EditDec(), '+');
    EXPECT_EQ(frame_->AddressList().currentText(), QStringLiteral("下方向相対"));
    Focus(frame_->EditHex()); // the output field shows the focused field's radix
    EXPECT_EQ(frame_->EditOut().CardinalNumber(), TCardinalNumber::cnHexadecimal);
}

TEST_F(FrmInputIntTest, AWidthTheModeForbidsIsUndone) {
    frame_->SetDialogMode(TDialogMode::dmInteger);
    frame_->Variable().activated(0); // as if "無定型(32bit)" were picked
    EXPECT_EQ(frame_->Variable().currentIndex(), 1);
    EXPECT_EQ(frame_->VariableType(), TVariableType::vtDoubleWord);
}

} // namespace
} // namespace mv
