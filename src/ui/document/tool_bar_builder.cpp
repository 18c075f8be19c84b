#include "ui/document/tool_bar_builder.h"

#include "platform/tool_icon.h"
#include "ui/document/main_menu.h"

#include <QtGui/QAction>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

#include <string_view>

namespace mv {

namespace {

struct TToolButton {
    std::string_view Item; // the menu item; empty for a separator
    const char* Hint;
    std::string_view Icon; // the name of a tool icon
};

constexpr TToolButton Buttons[] = {
    {"MM_NewFile", "新規作成", "new"},
    {"MM_OpenFile", "開く", "open"},
    {"MM_SaveFile", "上書き保存", "save"},
    {{}, nullptr, {}},
    {"MM_Cut", "切り取り", "cut"},
    {"MM_Copy", "コピー", "copy"},
    {"MM_Paste", "張り付け", "paste"},
    {"MM_Undo", "元に戻す", "undo"},
    {"MM_Redo", "やり直し", "redo"},
    {{}, nullptr, {}},
    {"MM_SearchData", "検索", "search"},
    {"MM_ReplaceData", "置換", "replace"},
    {"MM_SearchPrev", "上方向へ再検索", "search-prev"},
    {"MM_SearchNext", "下方向へ再検索", "search-next"},
    {{}, nullptr, {}},
    {"MM_CompareFile", "指定ファイルと比較", "compare-file"},
    {"MM_CompareWindow", "別ウィンドウと比較", "compare-window"},
    {"MM_ComparePresent", "ディスク上の現状と比較", "compare-present"},
    {"MM_CompareQuit", "比較解除", "compare-quit"},
    {"MM_ComparePrev", "上方向へ相違領域検索", "compare-prev"},
    {"MM_CompareNext", "下方向へ相違領域検索", "compare-next"},
    {{}, nullptr, {}},
    {"MM_Probe", "データインスペクタ", "probe"},
    {"MM_Option", "オプション", "option"},
    {{}, nullptr, {}},
    {"MM_OpenHelp", "ヘルプ", "help"},
    {{}, nullptr, {}},
    {"MM_Close", "閉じる", "close"},
};

QString ButtonName(std::string_view item) {
    return QStringLiteral("TB_") + QString::fromLatin1(item.substr(3).data(),
                                                       static_cast<qsizetype>(item.size() - 3));
}

} // namespace

QToolBar* BuildToolBar(QWidget& window, TMainMenu& menu, QMenu& historyPopup) {
    auto* bar = new QToolBar(&window);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    for (const TToolButton& entry : Buttons) {
        if (entry.Item.empty()) {
            bar->addSeparator();
            continue;
        }
        QAction* action = menu.Action(entry.Item);
        if (action == nullptr) continue;
        action->setIcon(ToolIcon(entry.Icon));
        action->setToolTip(QString::fromUtf8(entry.Hint));
        if (entry.Item == "MM_OpenFile") {
            auto* button = new QToolButton(bar);
            button->setDefaultAction(action);
            button->setMenu(&historyPopup);
            button->setPopupMode(QToolButton::MenuButtonPopup);
            button->setAutoRaise(true);
            button->setObjectName(ButtonName(entry.Item));
            bar->addWidget(button);
            continue;
        }
        bar->addAction(action);
        bar->widgetForAction(action)->setObjectName(ButtonName(entry.Item));
    }
    return bar;
}

} // namespace mv
