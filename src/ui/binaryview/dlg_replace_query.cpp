#include "ui/binaryview/dlg_replace_query.h"

#include "platform/window_frame.h"
#include "platform/work_area.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QPushButton>

namespace mv {

TDlgReplaceQuery::TDlgReplaceQuery(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("置換しますか？"));
    setModal(true);
    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QPushButton* yes = AddButton("はい(&Y)", Yes);
    AddButton("いいえ(&N)", No);
    AddButton("キャンセル(&C)", Cancel);
    AddButton("一度に置換(&A)", All);
    yes->setDefault(true);
    yes->setFocus();
}

QPushButton* TDlgReplaceQuery::AddButton(const char* caption, TResult result) {
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setAutoDefault(false);
    layout()->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    return button;
}

void TDlgReplaceQuery::reject() {
    done(Cancel);
}

TReplaceAnswer TDlgReplaceQuery::AnswerOf(int result) {
    switch (result) {
    case Yes:
        return TReplaceAnswer::Yes;
    case No:
        return TReplaceAnswer::No;
    case All:
        return TReplaceAnswer::All;
    default:
        return TReplaceAnswer::Cancel;
    }
}

TReplaceAnswer TDlgReplaceQuery::Ask(QPoint screenPoint) {
    adjustSize();
    const QScreen* screen = QGuiApplication::screenAt(screenPoint);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    const TWindowFrame frame(*this);
    frame.MoveTo(KeptInside(QRect(screenPoint, frame.Size()), screen->availableGeometry()));
    return AnswerOf(exec());
}

} // namespace mv
