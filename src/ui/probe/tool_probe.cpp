#include "ui/probe/tool_probe.h"

#include "core/binaryview/editor_core.h"
#include "platform/help_context.h"
#include "ui/probe/selection_digest_panel.h"
#include "ui/probe/value_table.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

namespace mv {

namespace {

constexpr int HelpContext = 165;
// The two columns of rows: the numbers, then the characters and times.
constexpr TProbeRow LastNumberRow = TProbeRow::Float64;

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TToolProbe::TToolProbe(QWidget* owner, TEditorCore& editor, std::endian order)
    : TToolWindow(owner), probe_(editor),
      radioLittle_(new QRadioButton(QStringLiteral("リトルエンディアン(&L)"), this)),
      radioBig_(new QRadioButton(QStringLiteral("ビッグエンディアン(&B)"), this)),
      refusal_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("データインスペクタ"));
    SetHelpContext(*this, HelpContext);
    probe_.SetByteOrder(order);
    radioLittle_->setObjectName(QStringLiteral("RadioLittle"));
    radioBig_->setObjectName(QStringLiteral("RadioBig"));
    refusal_->setObjectName(QStringLiteral("Refusal"));
    (order == std::endian::big ? radioBig_ : radioLittle_)->setChecked(true);

    auto* orders = new QButtonGroup(this);
    orders->addButton(radioLittle_);
    orders->addButton(radioBig_);
    auto* orderBox = new QGroupBox(QStringLiteral(" バイトオーダー "), this);
    auto* orderLayout = new QHBoxLayout(orderBox);
    orderLayout->addWidget(radioLittle_);
    orderLayout->addWidget(radioBig_);
    orderLayout->addStretch(1);

    const int lastNumber = static_cast<int>(LastNumberRow);
    auto* columns = new QHBoxLayout;
    // Each column as wide as its widest text: a double such as -1.7976931348623157e+308, then
    // a GUID in braces.
    columns->addWidget(BuildRows(0, lastNumber, QStringLiteral(" 数値 "), 24), 1);
    columns->addWidget(
        BuildRows(lastNumber + 1, ProbeRowCount - 1, QStringLiteral(" 文字・日時 "), 38), 1);
    // Made after the rows, so that the keyboard visits them in the order they are shown.
    selection_ = new TSelectionDigestPanel(editor.Module(), this);
    btnClose_ = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    btnClose_->setObjectName(QStringLiteral("btnClose"));
    btnClose_->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(refusal_, 1);
    bottom->addWidget(btnClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(orderBox);
    layout->addLayout(columns);
    layout->addWidget(selection_);
    layout->addLayout(bottom);

    // Toggled, not clicked: the arrow keys move the choice too.
    connect(radioBig_, &QRadioButton::toggled, this,
            [this](bool big) { ChooseOrder(big ? std::endian::big : std::endian::little); });
    connect(btnClose_, &QPushButton::clicked, this, &QWidget::close);
    Field(TProbeRow::Int8).setFocus(Qt::OtherFocusReason);
}

QWidget* TToolProbe::BuildRows(int first, int last, const QString& title, int characters) {
    auto* box = new QGroupBox(title, this);
    auto* table = new TValueTable(box);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(table);
    layout->addStretch(1);
    for (int index = first; index <= last; ++index) {
        const auto row = static_cast<TProbeRow>(index);
        QLineEdit& field = table->AddRow(Utf8(RowCaption(row)), characters);
        field.setReadOnly(!RowEditable(row));
        fields_[static_cast<std::size_t>(index)] = &field;
        if (!RowEditable(row)) continue;
        connect(&field, &QLineEdit::textEdited, this, [this, row] { Edited(row); });
        connect(&field, &QLineEdit::returnPressed, this, [this, row] { Entered(row); });
    }
    return box;
}

void TToolProbe::TakeCaret(const TCaretFeed&) {
    if (isVisible()) Refresh();
}

void TToolProbe::TakeStatus(const TStatusFeed&) {
    if (isVisible()) selection_->DataChanged();
}

void TToolProbe::showEvent(QShowEvent* event) {
    TToolWindow::showEvent(event);
    Refresh();
    selection_->DataChanged();
}

// Only the texts that changed are set, so that a move repaints only what it changed.
void TToolProbe::Refresh() {
    probe_.Refresh();
    for (int index = 0; index < ProbeRowCount; ++index) {
        const auto row = static_cast<TProbeRow>(index);
        QLineEdit& field = Field(row);
        const QString text = Utf8(probe_.Model().Text(row));
        if (field.text() != text) {
            field.setText(text);
            field.setCursorPosition(0); // a text too long for the field shows its start
        }
        if (marked_[static_cast<std::size_t>(index)]) Mark(row, {});
    }
    if (!refusal_->text().isEmpty()) refusal_->clear();
    selection_->SetRange(probe_.Selection());
}

void TToolProbe::Edited(TProbeRow row) {
    Mark(row, probe_.Model().Edit(row, Field(row).text().toStdString()).Refusal);
}

void TToolProbe::Entered(TProbeRow row) {
    const std::string refusal = probe_.Commit(row, Field(row).text().toStdString());
    if (!refusal.empty()) return Mark(row, refusal);
    // A write has refreshed the rows through the owner; a value that was there already shows
    // in the row's own form again.
    Refresh();
}

// As the filer's fields show refused input: a pink field with the reason in its tool tip; the
// reason also stands below the rows, where it needs no pointer to be read.
void TToolProbe::Mark(TProbeRow row, const std::string& refusal) {
    QLineEdit& field = Field(row);
    const bool refused = !refusal.empty();
    marked_[static_cast<std::size_t>(row)] = refused;
    field.setToolTip(Utf8(refusal));
    QPalette palette; // inherits the window's colours
    if (refused) {
        palette = field.palette();
        palette.setColor(QPalette::Base, QColor(0xFF, 0xD0, 0xD0));
    }
    field.setPalette(palette);
    refusal_->setText(Utf8(refusal));
}

void TToolProbe::ChooseOrder(std::endian order) {
    if (order == ByteOrder()) return;
    probe_.SetByteOrder(order);
    Refresh();
    if (OnByteOrderChosen) OnByteOrderChosen(order);
}

} // namespace mv
