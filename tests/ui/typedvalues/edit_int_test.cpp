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

    std::unique_ptr<Window> window_;
    TEditInt* field_ = nullptr;
};

TEST_F(EditIntTest, EntryByKeysSignalsEachChange) {
    Field(TCardinalNumber::cnHexadecimal, 0);
    QSignalSpy changes(field_, &TEditInt::changed);
    QTest::keyClicks(field_, "a1b"); // in hexadecimal a typed letter is a digit
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Home);
    QTest::keyClick(field_, '9');
    EXPECT_EQ(Text(), "9A1h");
    // Every digit and key fired the change with the value after it; setting it is silent.
    ASSERT_EQ(changes.size(), 6);
    EXPECT_EQ(changes.at(5).at(0).value<TValueType>(), 0x9A1);
    field_->SetValue(0xABCD);
    EXPECT_EQ(changes.size(), 6);
}

TEST_F(EditIntTest, KeysItDoesNotUseGoOnAndItsOwnAreNoShortcuts) {
    Field(TCardinalNumber::cnDecimal, 7);
    int keys = 0;
    QObject::connect(field_, &TEditInt::otherKey, [&keys] { ++keys; });
    Key(Qt::Key_PageUp);
    QTest::keyClicks(field_, "+x");
    EXPECT_EQ(keys, 1);
    EXPECT_EQ(Text(), "7d");
    EXPECT_EQ(window_->passedKeys, 3); // nobody accepted them

    // The keys it edits with are no window shortcuts.
    int triggered = 0;
    for (const QKeySequence& shortcut : {QKeySequence(Qt::CTRL | Qt::Key_A),
                                         QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_5)}) {
        auto* action = new QAction(window_.get());
        action->setShortcut(shortcut);
        window_->addAction(action);
        QObject::connect(action, &QAction::triggered, [&triggered] { ++triggered; });
    }
    Key(Qt::Key_5);
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Delete);
    EXPECT_EQ(triggered, 0);
    EXPECT_EQ(Text(), "0d");
}

// A field of its own, as the relative jump's address field is: long values typed, the caret
// moved, the value cut short by a digit, junk typed; every state is painted with its caret.
TEST(EditIntAlone, PaintsEveryCaretInsideTheText) {
    TEditInt field;
    field.SetCardinalNumber(TCardinalNumber::cnHexadecimal);
    field.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&field));
    field.activateWindow();
    field.setFocus();
    QApplication::processEvents();
    // Painting draws the caret; it must stand between the first and the last character.
    const auto paintedInside = [&field] {
        (void)field.grab();
        const int x = field.CaretRect().left();
        const std::size_t last = field.Model().Text().size() - 1;
        return x >= field.CharRect(0).left() && x <= field.CharRect(last).left();
    };
    QTest::keyClicks(&field, "10000000000005");
    QTest::keyClick(&field, Qt::Key_Home);
    QTest::keyClick(&field, Qt::Key_Right);
    EXPECT_TRUE(paintedInside());
    QTest::keyClick(&field, '0'); // the top digit leaves: "5h"
    EXPECT_EQ(field.Model().Text(), "5h");
    EXPECT_TRUE(paintedInside());
    field.SetCardinalNumber(TCardinalNumber::cnDecimal);
    QTest::keyClicks(&field, "99999999999999999");
    QTest::keyClick(&field, Qt::Key_Home);
    QTest::keyClick(&field, Qt::Key_Right, Qt::ShiftModifier); // the top digit selected
    QTest::keyClicks(&field, " !~zZ"); // goes on unused, as do control and non-ASCII characters
    for (const QString& text : {QString(QChar(0x7F)), QStringLiteral("é"), QStringLiteral("日")}) {
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(&field, &typed);
    }
    QTest::keyClick(&field, Qt::Key_Delete);
    EXPECT_EQ(field.Model().Text(), std::string(16, '9') + "d");
    EXPECT_TRUE(paintedInside());
}

TEST_F(EditIntTest, MousePlacesTheCaretAndSelects) {
    Field(TCardinalNumber::cnDecimal, 12345); // "12345d"
    Click(1);
    EXPECT_EQ(field_->Model().Caret(), 4u);
    Click(4, Qt::ShiftModifier); // where a Shift+click anchors is the model's test
    EXPECT_EQ(field_->Model().Caret(), 1u);

    const QPoint to = field_->CharRect(3).center();
    QTest::mousePress(field_, Qt::LeftButton, Qt::NoModifier, field_->CharRect(0).center());
    QMouseEvent move(QEvent::MouseMove, to, field_->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(field_, &move);
    QTest::mouseRelease(field_, Qt::LeftButton, Qt::NoModifier, to);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Text(), "45d");
}

TEST_F(EditIntTest, OverflowSelectionAndCaretPixels) {
    // Whether any pixel of a character's rectangle has the colour.
    const auto holds = [this](std::size_t charIndex, const QColor& color) {
        const QImage picture = field_->grab().toImage();
        const QRect rect = field_->CharRect(charIndex);
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (picture.pixelColor(x, y) == color) return true;
        return false;
    };
    const QColor red(255, 0, 0);
    field_->SetOverflowColor(0x000000FF);
    Field(TCardinalNumber::cnBinary, 0x10000, TVariableType::vtWord);
    EXPECT_TRUE(holds(18, red));  // bit 16
    EXPECT_FALSE(holds(20, red)); // bit 15

    Field(TCardinalNumber::cnDecimal, 123);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    const QColor highlight = ToQColor(clHighlight, field_->palette());
    const QImage picture = field_->grab().toImage();
    EXPECT_EQ(picture.pixelColor(field_->CharRect(2).topRight()), highlight);
    EXPECT_NE(picture.pixelColor(field_->CharRect(1).topRight()), highlight);
    EXPECT_EQ(field_->CaretRect().left(), field_->CharRect(2).left());
}

} // namespace
} // namespace mv
