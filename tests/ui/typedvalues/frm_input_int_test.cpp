// The integer frame's wiring: three fields that agree, the width keys, the focus round, the
// address signs, the mode and the capture.
#include "ui/typedvalues/frm_input_int.h"

#include "ui/typedvalues/edit_int.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QToolButton>

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

TEST_F(FrmInputIntTest, FieldsAgreeAndTheNetValueIsCut) {
    frame_->SetVariableType(TVariableType::vtByte);
    QTest::keyClicks(&frame_->EditDec(), "300");
    EXPECT_EQ(frame_->EditBin().Value(), 300);
    EXPECT_EQ(frame_->EditOut().Value(), 300 - 256);
    EXPECT_EQ(frame_->EditHex().VariableType(), TVariableType::vtByte);

    Focus(frame_->EditHex());
    EXPECT_EQ(frame_->EditOut().CardinalNumber(), TCardinalNumber::cnHexadecimal);
    QTest::keyClick(&frame_->EditHex(), Qt::Key_Delete);
    QTest::keyClicks(&frame_->EditHex(), "1234");
    EXPECT_EQ(frame_->EditDec().Value(), 0x1234);
    EXPECT_EQ(frame_->GetInteger(), 0x34);
}

TEST_F(FrmInputIntTest, KeysTheFieldsPassOn) {
    frame_->SetVariableType(TVariableType::vtByte);
    EXPECT_EQ(frame_->MaxDec().Value(), 255);
    QTest::keyClick(&frame_->EditDec(), Qt::Key_PageUp);
    EXPECT_EQ(frame_->Variable().currentText(), QStringLiteral("Word(16bit)"));
    EXPECT_EQ(frame_->MaxHex().Value(), 65535);

    QTest::keyClick(&frame_->EditDec(), Qt::Key_Up);
    EXPECT_TRUE(frame_->EditBin().hasFocus());
    QTest::keyClick(&frame_->EditBin(), Qt::Key_Down);
    EXPECT_TRUE(frame_->EditDec().hasFocus());

    QTest::keyClick(&frame_->EditDec(), '+');
    EXPECT_EQ(frame_->AddressList().currentText(), QStringLiteral("下方向相対"));
}

TEST_F(FrmInputIntTest, ModeShowsOneSettingAndKeepsItsWidths) {
    frame_->SetDialogMode(TDialogMode::dmUnformat);
    EXPECT_FALSE(frame_->Variable().isEnabled());
    EXPECT_TRUE(frame_->AddressList().isVisible());
    EXPECT_FALSE(frame_->ByteOrderList().isVisible());
    frame_->SetDialogMode(TDialogMode::dmInteger);
    EXPECT_TRUE(frame_->ByteOrderList().isVisible());
    EXPECT_FALSE(frame_->AddressList().isVisible());
    // Choosing a width the mode forbids is undone.
    frame_->Variable().activated(0); // as if "無定型(32bit)" were picked
    EXPECT_EQ(frame_->Variable().currentIndex(), 1);
    EXPECT_EQ(frame_->VariableType(), TVariableType::vtDoubleWord);
    frame_->SetIntWidth(TVariableType::vtWord);
    EXPECT_EQ(frame_->Variable().currentIndex(), 2);
}

TEST_F(FrmInputIntTest, CaptureAndByteOrder) {
    frame_->SetVariableType(TVariableType::vtWord);
    frame_->SetByteOrder(TByteOrder::BigEndian);
    frame_->SetCapturedValue(0x12345678);
    frame_->CaptureButton().click();
    EXPECT_EQ(frame_->EditHex().Value(), 0x7856);
    // Given out in big-endian order: the bytes come back as they lay at the caret.
    EXPECT_EQ(frame_->IntegerData().Bytes, (std::vector<std::uint8_t>{0x78, 0x56}));
}

} // namespace
} // namespace mv
