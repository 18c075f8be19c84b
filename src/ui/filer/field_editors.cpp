#include "ui/filer/field_editors.h"

#include "core/filer/filer_page_place.h"
#include "core/typedvalues/sjis_utf8.h"

#include <QtGui/QIcon>
#include <QtWidgets/QStyle>

#include <algorithm>
#include <limits>

namespace mv {

namespace {

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Refused input turns the control's background pink and puts the reason in its tool tip.
void ShowRefusal(QWidget& control, const TFieldModel& model) {
    const QString hint = Utf8(FieldHint(model.Item()));
    const bool refused = !model.Refusal().empty();
    control.setToolTip(refused ? Utf8(model.Refusal()) + QLatin1Char('\n') + hint : hint);
    QPalette palette; // inherits the window's colours
    if (refused) {
        palette = control.palette();
        palette.setColor(QPalette::Base, QColor(0xFF, 0xD0, 0xD0));
    }
    control.setPalette(palette);
}

// One icon for every jump button: a page of a large filer holds hundreds of them.
const QIcon& JumpIcon(const QStyle& style) {
    static const QIcon icon =
        QIcon::fromTheme(QStringLiteral("go-jump"), style.standardIcon(QStyle::SP_ArrowRight));
    return icon;
}

} // namespace

QString FromShiftJis(std::string_view text) {
    const std::string utf8 = ShiftJisToUtf8(text);
    return Utf8(utf8);
}

// ---- TFieldEditor

void TFieldEditor::Refresh(bool viewOnly) {
    const TFieldModel& model = Model();
    Control().setEnabled(model.InRange() && model.Item().Enabled && !viewOnly);
    if (JumpButton != nullptr) JumpButton->setEnabled(model.InRange());
    const QSignalBlocker quiet(&Control());
    ShowValue();
    ShowRefusal(Control(), model);
}

void TFieldEditor::Edited() {
    ShowRefusal(Control(), Model());
    if (OnEdit) OnEdit();
}

// ---- TEditIntegerEx

// The spin box itself takes any 32-bit value; the model decides which it accepts.
TEditIntegerEx::TEditIntegerEx(TIntegerFieldModel& model, QWidget* parent)
    : TFieldEditorOf(model, parent) {
    setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.SetText(text.toStdString());
        Edited();
    });
    // Leaving the box puts back the last value for a text that is no number; the model
    // follows what the box shows then.
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        if (model_.Refusal().empty()) return;
        model_.SetText(text().toStdString());
        ShowRefusal(*this, model_);
    });
}

void TEditIntegerEx::stepBy(int steps) {
    const TIntegerLimits limits = model_.Limits();
    const std::int64_t next =
        std::clamp<std::int64_t>(std::int64_t{model_.Value()} + steps, limits.Low, limits.High);
    model_.SetValue(next);
    ShowValue();
    Edited();
}

void TEditIntegerEx::ShowValue() {
    setValue(model_.Value());
}

// ---- TEditStringEx

TEditStringEx::TEditStringEx(TStringFieldModel& model, QWidget* parent)
    : TFieldEditorOf(model, parent) {
    setMaxLength(model.Item().Width);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.SetText(text.toStdString());
        Edited();
    });
}

void TEditStringEx::ShowValue() {
    setText(Utf8(model_.Text()));
}

// ---- TEditBoolEx

TEditBoolEx::TEditBoolEx(TBitFieldModel& model, QWidget* parent)
    : TFieldEditorOf(model, parent) {
    setText(FromShiftJis(model.Item().Caption));
    connect(this, &QCheckBox::clicked, this, [this](bool checked) {
        model_.SetChecked(checked);
        Edited();
    });
}

void TEditBoolEx::ShowValue() {
    setChecked(model_.Checked());
}

// ---- TEditSelectEx

TEditSelectEx::TEditSelectEx(TSelectFieldModel& model, QWidget* parent)
    : TFieldEditorOf(model, parent) {
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::activated, this, [this](int index) {
        model_.Select(index);
        Edited();
    });
}

// The model's items change with each read: a value the list lacks comes and goes.
void TEditSelectEx::ShowValue() {
    clear();
    for (const TSelectItem& item : model_.Items())
        addItem(Utf8(item.Label));
    setCurrentIndex(model_.Selected());
    FitItems();
}

// The page was laid out for the filer's options; a value the list lacks, shown as its own
// item, may be wider than all of them. The list keeps the width it grew to, so that the page
// does not shift at each read.
void TEditSelectEx::FitItems() {
    const int wanted = sizeHint().width();
    if (wanted <= width()) return;
    resize(wanted, height());
    int right = x() + width();
    if (JumpButton != nullptr) {
        JumpButton->move(right, JumpButton->y());
        right += JumpButton->width();
    }
    QWidget* page = parentWidget();
    if (page == nullptr || right + FilerPageSpare <= page->width()) return;
    page->setFixedWidth(right + FilerPageSpare);
    for (QFrame* rule : page->findChildren<QFrame*>(Qt::FindDirectChildrenOnly))
        if (rule->frameShape() == QFrame::HLine)
            rule->resize(page->width() - FilerPageSpare, rule->height());
}

// ---- TAddressJumpBtn

TAddressJumpBtn::TAddressJumpBtn(std::int64_t address, QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    setFixedSize(20, 20);
    setIconSize({16, 16});
    setIcon(JumpIcon(*style()));
    setToolTip(QStringLiteral("データのアドレスへジャンプ"));
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QToolButton::clicked, this, [this, address] {
        if (OnJump) OnJump(address);
    });
}

// ---- TMessageArea

TMessageArea::TMessageArea(const QString& text, QWidget* parent) : QPlainTextEdit(text, parent) {
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::Text, colours.color(QPalette::ToolTipText));
    setPalette(colours);
}

// ---- which editor a field gets

TFieldEditor* MakeFieldEditor(TFieldModel& model, QWidget* parent) {
    if (auto* integer = dynamic_cast<TIntegerFieldModel*>(&model))
        return new TEditIntegerEx(*integer, parent);
    if (auto* text = dynamic_cast<TStringFieldModel*>(&model))
        return new TEditStringEx(*text, parent);
    if (auto* bit = dynamic_cast<TBitFieldModel*>(&model)) return new TEditBoolEx(*bit, parent);
    if (auto* select = dynamic_cast<TSelectFieldModel*>(&model))
        return new TEditSelectEx(*select, parent);
    return nullptr;
}

} // namespace mv
