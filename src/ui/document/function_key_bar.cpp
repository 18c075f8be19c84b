#include "ui/document/function_key_bar.h"

#include "platform/virtual_key_map.h"
#include "ui/document/panel_font.h"

#include <QtGui/QGuiApplication>
#include <QtWidgets/QToolButton>

namespace mv {

TFunctionKeyBar::TFunctionKeyBar(QWidget* parent) : QWidget(parent) {
    setFixedHeight(BarHeight);
    UsePanelFont(*this);
    SetButtonCount(MaxFunctionButtons);
}

void TFunctionKeyBar::SetButtonCount(int count) {
    count = count == 10 ? 10 : MaxFunctionButtons;
    if (count == ButtonCount()) return;
    while (ButtonCount() > count) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    while (ButtonCount() < count) {
        auto* button = new QToolButton(this);
        const int index = ButtonCount();
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, index] {
            emit keyClicked(FunctionKeyIndex(index),
                            ModifierStateOf(QGuiApplication::queryKeyboardModifiers()));
        });
        button->show();
        buttons_.push_back(button);
    }
    ShowCaptions();
    LayOut();
}

void TFunctionKeyBar::SetCaptions(const TFunctionCaptions& captions) {
    captions_ = captions;
    ShowCaptions();
}

void TFunctionKeyBar::ShowShiftState(ModifierState shiftState, bool force) {
    if (shiftState < 0 || shiftState >= ModifierStateCount) return;
    if (shiftState == shownState_ && !force) return;
    shownState_ = shiftState;
    ShowCaptions();
}

QToolButton* TFunctionKeyBar::Button(int index) const {
    return index >= 0 && index < ButtonCount() ? buttons_[static_cast<std::size_t>(index)] : nullptr;
}

void TFunctionKeyBar::resizeEvent(QResizeEvent*) { LayOut(); }

void TFunctionKeyBar::LayOut() {
    const TFunctionKeyLayout layout = FunctionKeyLayout(ButtonCount(), width());
    for (std::size_t index = 0; index < buttons_.size(); ++index)
        buttons_[index]->setGeometry(layout.Lefts[index], 0, layout.Width, height());
}

void TFunctionKeyBar::ShowCaptions() {
    const auto& row = captions_[static_cast<std::size_t>(shownState_)];
    for (std::size_t index = 0; index < buttons_.size(); ++index)
        buttons_[index]->setText(QString::fromStdString(row[index]));
}

} // namespace mv
