#include "ui/filer/filer_page_view.h"

#include "core/filer/filer_bounds.h"
#include "ui/filer/field_editors.h"

#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>

#include <algorithm>

namespace mv {

namespace {

static_assert(MaxPageHeight == QWIDGETSIZE_MAX, "the session refuses what no widget can show");

QRect Rect(const TPlaceRect& r) { return {r.Left, r.Top, r.Width, r.Height}; }

QString Lines(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines)
        text << FromShiftJis(line);
    return text.join(QLatin1Char('\n'));
}

} // namespace

TFilerPageView::TFilerPageView(const TFilerSessionPage& page, const TFieldHooks& hooks,
                               QWidget* parent)
    : QScrollArea(parent), panel_(new QWidget) {
    setFrameShape(QFrame::NoFrame);
    const TFilerPagePlace& place = page.Place;
    panel_->setFixedSize(place.Width, place.Height);
    for (std::size_t i = 0; i < page.Items.size(); ++i) {
        const TFilerItem& item = page.Items[i];
        const TFilerRowPlace& row = place.Rows[i];
        QWidget* control = nullptr;
        switch (item.Kind) {
        case TFilerItemKind::Label:
            control = new QLabel(FromShiftJis(item.Caption), panel_);
            break;
        case TFilerItemKind::HorizontalRule: {
            auto* rule = new QFrame(panel_);
            rule->setFrameShape(QFrame::HLine);
            rule->setFrameShadow(QFrame::Sunken);
            control = rule;
            break;
        }
        case TFilerItemKind::Message:
            control = new TMessageArea(Lines(item.Lines), panel_);
            break;
        case TFilerItemKind::EditBit:
        case TFilerItemKind::EditInteger:
        case TFilerItemKind::EditSelect:
        case TFilerItemKind::EditString: {
            if (row.Caption.Width > 0)
                (new QLabel(FromShiftJis(item.Caption), panel_))->setGeometry(Rect(row.Caption));
            TFieldEditor* editor = MakeFieldEditor(*page.Fields[i], panel_);
            editor->OnEdit = hooks.Edited;
            auto* jump = new TAddressJumpBtn(item.Address, panel_);
            jump->setGeometry(Rect(row.Jump));
            jump->OnJump = hooks.Jump;
            editor->JumpButton = jump;
            editors_.push_back(editor);
            control = &editor->Control();
            break;
        }
        }
        control->setGeometry(Rect(row.Control));
    }
    setWidget(panel_);
}

void TFilerPageView::Refresh(bool viewOnly) {
    for (TFieldEditor* editor : editors_)
        editor->Refresh(viewOnly);
}

TFilerMetrics FilerMetrics(const QWidget& window) {
    const QFont font = window.font();
    const QFontMetrics text(font);
    TFilerMetrics metrics;
    metrics.TextWidth = [text](std::string_view shiftJis) {
        return text.horizontalAdvance(FromShiftJis(shiftJis)) + 1;
    };
    metrics.LabelHeight = text.height();

    // Sample controls tell what the style adds around a text.
    QSpinBox spin;
    QLineEdit edit;
    QComboBox list;
    QCheckBox check(QStringLiteral("x"));
    for (QWidget* sample : std::initializer_list<QWidget*>{&spin, &edit, &list, &check})
        sample->setFont(font);
    list.addItem(QStringLiteral("x"));
    const int x = text.horizontalAdvance(QStringLiteral("x"));
    metrics.EditorHeight = std::max({metrics.EditorHeight, spin.sizeHint().height(),
                                     edit.sizeHint().height(), list.sizeHint().height()});
    metrics.CheckExtra = std::max(metrics.CheckExtra, check.sizeHint().width() - x);
    metrics.SelectExtra = std::max(metrics.SelectExtra, list.sizeHint().width() - x);
    spin.setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    metrics.IntegerWidth = std::max(metrics.IntegerWidth, spin.sizeHint().width());
    return metrics;
}

} // namespace mv
