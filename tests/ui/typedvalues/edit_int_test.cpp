// The integer field under real key and mouse events on a shown window.
#include "ui/typedvalues/edit_int.h"

#include "platform/system_color.h"

#include <QtGui/QAction>
#include <QtGui/QKeyEvent>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace mv {
namespace {

// A window that counts the keys its field lets through.
class Window : public QWidget {
public:
    int passedKeys = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++passedKeys; }
};

class EditIntTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<Window>();
        field_ = new TEditInt(window_.get());
        auto* layout = new QVBoxLayout(window_.get());
        layout->addWidget(field_);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        window_->activateWindow();
        field_->setFocus();
        QApplication::processEvents();
    }

    void Field(TCardinalNumber radix, TValueType value,
               TVariableType type = TVariableType::vtUnformat) {
        field_->SetCardinalNumber(radix);
        field_->SetVariableType(type);
        field_->SetValue(value);
    }
    [[nodiscard]] std::string Text() const { return field_->Model().Text(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(field_, key, modifiers);
    }
    void Click(std::size_t charIndex, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(field_, Qt::LeftButton, modifiers, field_->CharRect(charIndex).center());
    }
    // Whether any pixel of the rectangle has the colour.
    static bool Holds(const QImage& picture, const QRect& rect, const QColor& color) {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (picture.pixelColor(x, y) == color) return true;
        return false;
    }

    std::unique_ptr<Window> window_;
    TEditInt* field_ = nullptr;
};

TEST_F(EditIntTest, CalculatorEntryByKeys) {
    Field(TCardinalNumber::cnDecimal, 0);
    QSignalSpy changes(field_, &TEditInt::changed);
    QTest::keyClicks(field_, "123");
    EXPECT_EQ(Text(), "123d");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Text(), "12d");
    Key(Qt::Key_Home);
    QTest::keyClick(field_, '9');
    EXPECT_EQ(Text(), "912d");
    // Every digit and key fired the change with the value after it.
    ASSERT_EQ(changes.size(), 6);
    EXPECT_EQ(changes.at(2).at(0).value<TValueType>(), 123);
    EXPECT_EQ(changes.at(5).at(0).value<TValueType>(), 912);
    // Setting the value is silent.
    field_->SetValue(5);
    EXPECT_EQ(changes.size(), 6);
}

TEST_F(EditIntTest, SelectionByShiftAndCtrlA) {
    Field(TCardinalNumber::cnHexadecimal, 0xABCD);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Text(), "ABh");
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field_->Model().Anchor(), 2u);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Text(), "0h");
    // In hexadecimal a typed "a" is a digit.
    QTest::keyClicks(field_, "a1");
    EXPECT_EQ(Text(), "A1h");
}

TEST_F(EditIntTest, KeysItDoesNotUseGoOn) {
    Field(TCardinalNumber::cnDecimal, 7);
    int keys = 0;
    int chars = 0;
    QObject::connect(field_, &TEditInt::otherKey, [&keys] { ++keys; });
    QObject::connect(field_, &TEditInt::otherKeyPress, [&chars] { ++chars; });
    QSignalSpy changes(field_, &TEditInt::changed);
    Key(Qt::Key_PageUp);
    Key(Qt::Key_Up);
    Key(Qt::Key_Return);
    QTest::keyClicks(field_, "+-x");
    EXPECT_EQ(keys, 3);
    EXPECT_EQ(chars, 3);
    EXPECT_EQ(changes.size(), 0);
    EXPECT_EQ(Text(), "7d");
    // Nobody accepted them, so the window saw them all.
    EXPECT_EQ(window_->passedKeys, 6);

    // A handler that uses a key keeps it from the window.
    QObject::connect(field_, &TEditInt::otherKey, field_,
                     [](QKeyEvent* event) { event->accept(); });
    Key(Qt::Key_PageDown);
    EXPECT_EQ(window_->passedKeys, 6);
}

TEST_F(EditIntTest, EditingKeysAreNoWindowShortcuts) {
    Field(TCardinalNumber::cnDecimal, 12);
    int triggered = 0;
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_A),
                                     QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_5)}) {
        auto* action = new QAction(window_.get());
        action->setShortcut(keys);
        window_->addAction(action);
        QObject::connect(action, &QAction::triggered, [&triggered] { ++triggered; });
    }
    Key(Qt::Key_5);
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Delete);
    EXPECT_EQ(triggered, 0);
    EXPECT_EQ(Text(), "0d");
}

TEST_F(EditIntTest, MousePlacesTheCaret) {
    Field(TCardinalNumber::cnDecimal, 12345); // "12345d"
    Click(1);
    EXPECT_EQ(field_->Model().Caret(), 4u);
    Click(4, Qt::ShiftModifier);
    EXPECT_EQ(field_->Model().Anchor(), 4u);
    EXPECT_EQ(field_->Model().Caret(), 1u);
    // Right of the text is the right end, left of it the leftmost place.
    QTest::mouseClick(field_, Qt::LeftButton, Qt::NoModifier,
                      QPoint(field_->width() - 3, field_->height() / 2));
    EXPECT_EQ(field_->Model().Caret(), 0u);
    EXPECT_FALSE(field_->Model().HasSelection());
    QTest::mouseClick(field_, Qt::LeftButton, Qt::NoModifier, QPoint(3, field_->height() / 2));
    EXPECT_EQ(field_->Model().Caret(), 5u);

    Field(TCardinalNumber::cnBinary, 0);
    Click(0); // bit 31
    QTest::keyClick(field_, '1');
    EXPECT_EQ(field_->Value(), 0x8000'0000);
}

TEST_F(EditIntTest, DragSelects) {
    Field(TCardinalNumber::cnDecimal, 12345);
    const QPoint to = field_->CharRect(3).center();
    QTest::mousePress(field_, Qt::LeftButton, Qt::NoModifier, field_->CharRect(0).center());
    QMouseEvent move(QEvent::MouseMove, to, field_->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(field_, &move);
    QTest::mouseRelease(field_, Qt::LeftButton, Qt::NoModifier, to);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Text(), "45d");
}

TEST_F(EditIntTest, OverflowDigitsInTheOverflowColour) {
    const QColor red(255, 0, 0);
    field_->SetOverflowColor(0x000000FF);
    field_->clearFocus();
    struct Case {
        TCardinalNumber radix;
        TVariableType type;
        TValueType value;
        std::size_t marked;
        std::size_t unmarked;
    };
    const Case cases[] = {
        {TCardinalNumber::cnHexadecimal, TVariableType::vtByte, 0x1FF, 0, 1},
        {TCardinalNumber::cnHexadecimal, TVariableType::vtByte, 0x1FF, 0, 3}, // the "h"
        {TCardinalNumber::cnBinary, TVariableType::vtWord, 0x10000, 18, 20},  // bits 16, 15
        {TCardinalNumber::cnDecimal, TVariableType::vtByte, 256, 2, 3},
    };
    for (const Case& c : cases) {
        Field(c.radix, c.value, c.type);
        const QImage picture = field_->grab().toImage();
        EXPECT_TRUE(Holds(picture, field_->CharRect(c.marked), red)) << c.value;
        EXPECT_FALSE(Holds(picture, field_->CharRect(c.unmarked), red)) << c.value;
    }
}

TEST_F(EditIntTest, SelectionCaretAndDisabledLook) {
    Field(TCardinalNumber::cnDecimal, 123);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    const QColor highlight = ToQColor(clHighlight, field_->palette());
    QImage picture = field_->grab().toImage();
    EXPECT_EQ(picture.pixelColor(field_->CharRect(2).topRight()), highlight);
    EXPECT_NE(picture.pixelColor(field_->CharRect(1).topRight()), highlight);
    EXPECT_FALSE(field_->CaretRect().isEmpty());
    EXPECT_EQ(field_->CaretRect().left(), field_->CharRect(2).left());

    field_->clearFocus();
    EXPECT_TRUE(field_->CaretRect().isEmpty());
    field_->setEnabled(false);
    picture = field_->grab().toImage();
    EXPECT_EQ(picture.pixelColor(field_->contentsRect().topLeft() + QPoint(1, 1)),
              ToQColor(clBtnFace, field_->palette()));
}

} // namespace
} // namespace mv
