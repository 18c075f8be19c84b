#include "ui/document/information_panel.h"

#include "core/binaryview/editor_core.h"
#include "ui/document/document_icons.h"
#include "ui/document/panel_font.h"

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QToolButton>

namespace mv {
namespace {

struct TPanelRow {
    const char* Caption;
    const char* Hint;
    bool HasDecimal;
};

constexpr std::array<TPanelRow, InfoRowCount> PanelRows{{
    {"Address", "アドレスをコピー", true},
    {"File Size", "ファイルサイズをコピー", true},
    {"Range Size", "範囲指定サイズをコピー", true},
    {"Bit", "ビット状態をコピー", false},
    {"Byte", "8ビット整数状態をコピー", true},
    {"Word", "16ビット整数状態をコピー", true},
    {"Double Word", "32ビット整数状態をコピー", true},
}};

constexpr int LeftRows = 3; // Address, File Size, Range Size; the byte rows go right
constexpr int RowHeight = 16;

std::size_t At(TInfoRow row) { return static_cast<std::size_t>(row); }

} // namespace

TInformationPanel::TInformationPanel(QWidget* parent) : QWidget(parent) {
    setFixedHeight(PanelHeight);
    UsePanelFont(*this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 0, 4, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(0);
    const QIcon copyIcon = CopyIcon();
    for (int index = 0; index < InfoRowCount; ++index) {
        const TPanelRow& shown = PanelRows[static_cast<std::size_t>(index)];
        TRowWidgets& row = rows_[static_cast<std::size_t>(index)];
        const bool left = index < LeftRows;
        const int gridRow = left ? index : index - LeftRows;
        const int column = left ? 0 : 4;

        auto* frame = new QFrame(this);
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setFixedHeight(RowHeight);
        // The boxes share the width the window gives them and clip what does not fit: figures
        // that grow with a file must never widen the window or make the boxes jump.
        frame->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        auto* inside = new QHBoxLayout(frame);
        inside->setContentsMargins(3, 0, 3, 0);
        inside->setSpacing(0);
        row.Hex = new QLabel(frame);
        inside->addWidget(row.Hex);
        if (shown.HasDecimal) {
            row.Decimal = new QLabel(frame);
            inside->addSpacing(6);
            inside->addWidget(new QLabel(QStringLiteral("("), frame));
            inside->addWidget(row.Decimal);
            inside->addWidget(new QLabel(QStringLiteral(")"), frame));
        }
        inside->addStretch();

        row.Copy = new QToolButton(this);
        row.Copy->setAutoRaise(true);
        row.Copy->setFixedSize(16, 16);
        row.Copy->setIconSize(QSize(14, 14));
        row.Copy->setIcon(copyIcon);
        row.Copy->setToolTip(QString::fromUtf8(shown.Hint));
        connect(row.Copy, &QToolButton::clicked, this,
                [this, index] { CopyRow(static_cast<TInfoRow>(index)); });

        grid->addWidget(new QLabel(QString::fromLatin1(shown.Caption), this), gridRow, column);
        grid->addWidget(frame, gridRow, column + 1);
        grid->addWidget(row.Copy, gridRow, column + 2);
    }
    grid->setColumnMinimumWidth(3, 8);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(5, 1);
    for (int gridRow = 0; gridRow < InfoRowCount - LeftRows; ++gridRow) grid->setRowMinimumHeight(gridRow, RowHeight);

    const TInformationTexts empty = InformationTexts(0, {}, {}, TByteOrder::LittleEndian);
    for (std::size_t index = 0; index < empty.size(); ++index) ShowRow(static_cast<TInfoRow>(index), empty[index]);
    SetFileSize(0);
}

void TInformationPanel::Refresh(const TEditorCore& core, TByteOrder order) {
    const TInformationTexts texts = InformationTexts(core, order);
    for (std::size_t index = 0; index < texts.size(); ++index) {
        const auto row = static_cast<TInfoRow>(index);
        if (row != TInfoRow::FileSize) ShowRow(row, texts[index]);
    }
}

void TInformationPanel::SetFileSize(Address size) { ShowRow(TInfoRow::FileSize, AddressRowText(size)); }

TInfoRowText TInformationPanel::RowText(TInfoRow row) const {
    const TRowWidgets& widgets = rows_[At(row)];
    return {widgets.Hex->text().toStdString(),
            widgets.Decimal ? widgets.Decimal->text().toStdString() : std::string()};
}

QToolButton* TInformationPanel::CopyButton(TInfoRow row) const { return rows_[At(row)].Copy; }

void TInformationPanel::ShowRow(TInfoRow row, const TInfoRowText& text) {
    TRowWidgets& widgets = rows_[At(row)];
    widgets.Hex->setText(QString::fromStdString(text.Hex));
    if (widgets.Decimal) widgets.Decimal->setText(QString::fromStdString(text.Decimal));
}

// The labels as they stand are what the user sees, so they are what gets copied.
void TInformationPanel::CopyRow(TInfoRow row) const {
    QGuiApplication::clipboard()->setText(QString::fromStdString(CopyText(row, RowText(row))));
}

} // namespace mv
