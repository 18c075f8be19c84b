// The clipboard through the real QClipboard, the context menu's enabling and shortcuts, and
// the posted pop-up and user menus.
#include "view_fixture.h"

#include "core/typedvalues/char_set.h"
#include "platform/clipboard.h"
#include "ui/binaryview/context_menu.h"
#include "ui/binaryview/user_menu.h"

#include <QtCore/QMimeData>
#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtTest/QTest>
#include <QtWidgets/QMenu>

#include <cctype>
#include <functional>

namespace mv::test {
namespace {

using Menus = ViewFixture;

QByteArray MimeType() {
    return QByteArray(ClipboardMimeType.data(), ClipboardMimeType.size());
}

// Runs `inspect` on the pop-up that `open` shows, at once or through a posted call, then
// closes it.
void WithPopup(const std::function<void()>& open, const std::function<void(QWidget*)>& inspect) {
    bool seen = false;
    QTimer poll;
    poll.callOnTimeout([&] {
        QWidget* popup = QApplication::activePopupWidget();
        if (popup == nullptr || seen) return;
        seen = true;
        inspect(popup);
        popup->close();
    });
    poll.start(5);
    open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return seen; }, 3000));
}

// The letter after "PU_" of each item in order, upper case when the item is enabled.
std::string Enabling(QWidget* popup) {
    std::string enabled;
    for (QAction* action : static_cast<QMenu*>(popup)->actions())
        if (!action->isSeparator()) {
            const char letter = action->objectName().at(3).toLatin1();
            enabled += action->isEnabled() ? letter : static_cast<char>(std::tolower(letter));
        }
    return enabled;
}

TEST_F(Menus, CopyAndPasteThroughTheSystemClipboard) {
    Load({1, 2, 3, 4, 5, 6});
    QTest::keyClick(&View(), Qt::Key_Right);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&View(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&View(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(data->data(QString::fromLatin1(MimeType())),
              QByteArray("\x03\x00\x00\x00\x02\x03\x04", 7));
    EXPECT_FALSE(data->hasText()); // the program's own format only

    QTest::keyClick(&View(), Qt::Key_Home); // PARATOP ends the selection
    QTest::keyClick(&View(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Bytes(), (std::vector<Byte>{2, 3, 4, 4, 5, 6}));
    EXPECT_EQ(Core().CaretAddress(), 3);

    // Plain text goes in as Shift JIS, and as the set's own bytes under a Unicode set.
    QGuiApplication::clipboard()->setText(QStringLiteral("日"));
    QTest::keyClick(&View(), Qt::Key_Insert, Qt::ShiftModifier); // PASTE
    EXPECT_EQ(Bytes(), (std::vector<Byte>{2, 3, 4, 0x93, 0xFA, 6}));
    Core().SetCharaSet(CharaSet::Utf16Be);
    QGuiApplication::clipboard()->setText(QString::fromUtf8("\u00E9"));
    QTest::keyClick(&View(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Bytes(), (std::vector<Byte>{2, 3, 4, 0x93, 0xFA, 0x00, 0xE9}));
}

TEST_F(Menus, ContextMenuEnablesByStateAndShowsShortcuts) {
    QGuiApplication::clipboard()->clear();
    WithPopup([&] { Click(HexCell(0), Qt::RightButton); },
              [](QWidget* popup) { EXPECT_EQ(Enabling(popup), "urccpds"); });

    Load({1, 2, 3, 4});
    QTest::keyClicks(&View(), "5"); // something to undo
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    Core().ExecuteCommand(cmd::SELECTALL);
    // A right click inside the selection keeps it for the menu.
    WithPopup([&] { Click(HexCell(1), Qt::RightButton); },
              [](QWidget* popup) { EXPECT_EQ(Enabling(popup), "UrCCPDS"); });
    // View-only refuses the undo, and the menu says so rather than offer an item that fails.
    Core().SetInputMode(TInputMode::ViewOnly);
    WithPopup([&] { Click(HexCell(1), Qt::RightButton); },
              [](QWidget* popup) { EXPECT_EQ(Enabling(popup), "urcCpdS"); });
    QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier); // UNDO
    EXPECT_EQ(Bytes(), (std::vector<Byte>{0x51, 2, 3, 4}));

    // The shortcuts follow the key table: here F7 (searched before Delete) with Shift.
    TEnvironment environment;
    environment.KeyAssignment = TKeyAssignment::Template(TKeyAssignType::DosStandard);
    View().ApplyEnvironment(environment);
    EXPECT_EQ(View().ContextMenu().actions()[6]->text(), QStringLiteral("削除(&D)\tShift+F7"));
}

TEST_F(Menus, PopupMenuIsPostedAndOpensAtTheCaret) {
    Load({1, 2, 3});
    bool shownSynchronously = true;
    WithPopup(
        [&] {
            QTest::keyClick(&View(), Qt::Key_Menu); // POPUPMENU
            shownSynchronously = QApplication::activePopupWidget() != nullptr;
        },
        [&](QWidget* popup) {
            const QPoint caret = Viewport()->mapToGlobal(View().CaretRect().topLeft());
            EXPECT_EQ(popup->pos(), caret);
        });
    EXPECT_FALSE(shownSynchronously);
}

TEST_F(Menus, UserMenuRunsTheChosenLettersCommand) {
    Load({1, 2, 3});
    WithPopup([&] { QTest::keyClick(&View(), Qt::Key_Escape); }, // USERMENU1
              [](QWidget* menu) {
                  ASSERT_NE(dynamic_cast<TUserMenu*>(menu), nullptr);
                  QTest::keyClick(menu, Qt::Key_B); // unassigned: nothing, the menu stays
                  EXPECT_TRUE(menu->isVisible());
                  QTest::keyClick(menu, Qt::Key_A); // SELECTALL
                  EXPECT_FALSE(menu->isVisible());
              });
    EXPECT_EQ(Core().Selection().Start, 0);
    EXPECT_EQ(Core().Selection().End, 3);
}

TEST_F(Menus, KeysTypedBeforeAPostedMenuOpensGoToItAndThoseAfterItsChoiceToTheView) {
    Load({1, 2, 3});
    // All three arrive before the menu opens, as from a quick typist or a busy program.
    QTest::keyClick(&View(), Qt::Key_Escape); // USERMENU1
    QTest::keyClick(&View(), Qt::Key_A);      // the menu's SELECTALL, not a hex digit
    QTest::keyClick(&View(), Qt::Key_5);      // typed over the selection once it is made
    EXPECT_TRUE(QTest::qWaitFor([&] { return Bytes() == std::vector<Byte>{0x50}; }, 3000))
        << "bytes: " << ::testing::PrintToString(Bytes());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

} // namespace
} // namespace mv::test
