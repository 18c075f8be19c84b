#include "ui/document/information_panel.h"

#include "core/binaryview/editor_core.h"
#include "ui/document/document_icons.h"
#include "ui/document/panel_font.h"

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtWidgets/QFrame>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QToolButton>

namespace mv {

// A sunken box with one line of text, cut short with an ellipsis when the box is narrower.
// The boxes share the width the window gives them: figures that grow with a file must never
// widen the window, and a value cut anywhere but at its end would read as another value.
class TValueBox : public QFrame {
public:
    static constexpr int TextMargin = 3;

    explicit TValueBox(QWidget* parent) : QFrame(parent) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    }
    void SetText(const QString& text) {
        if (text == text_) return;
        text_ = text;
        setAccessibleName(text); // painted, not a label: a screen reader reads it from here
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect area = contentsRect().adjusted(TextMargin, 0, -TextMargin, 0);
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(text_, Qt::ElideRight, area.width()));
    }

private:
    QString text_;
};

namespace {

struct TPanelRow {
    const char* Caption;
    const char* Hint;
};

constexpr std::array<TPanelRow, InfoRowCount> PanelRows{{
    {"Address", "アドレスをコピー"},
    {"File Size", "ファイルサイズをコピー"},
    {"Range Size", "範囲指定サイズをコピー"},
    {"Bit", "ビット状態をコピー"},
    {"Byte", "8ビット整数状態をコピー"},
    {"Word", "16ビット整数状態をコピー"},
    {"Double Word", "32ビット整数状態をコピー"},
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

        row.Box = new TValueBox(this);
        row.Box->setFixedHeight(RowHeight);

        row.Copy = new QToolButton(this);
        row.Copy->setAutoRaise(true);
        row.Copy->setFixedSize(16, 16);
        row.Copy->setIconSize(QSize(14, 14));
        row.Copy->setIcon(copyIcon);
        row.Copy->setToolTip(QString::fromUtf8(shown.Hint));
        connect(row.Copy, &QToolButton::clicked, this,
                [this, index] { CopyRow(static_cast<TInfoRow>(index)); });

        grid->addWidget(new QLabel(QString::fromLatin1(shown.Caption), this), gridRow, column);
        grid->addWidget(row.Box, gridRow, column + 1);
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

void TInformationPanel::SetFileSize(Address size) { ShowRow(TInfoRow::FileSize, AddressRowText(size, AddressDigits(size))); }

TInfoRowText TInformationPanel::RowText(TInfoRow row) const { return rows_[At(row)].Text; }

QToolButton* TInformationPanel::CopyButton(TInfoRow row) const { return rows_[At(row)].Copy; }

void TInformationPanel::ShowRow(TInfoRow row, const TInfoRowText& text) {
    TRowWidgets& widgets = rows_[At(row)];
    widgets.Text = text;
    widgets.Box->SetText(QString::fromStdString(CopyText(row, text)));
}

// The row as it stands is what the user sees, so it is what gets copied, whole.
void TInformationPanel::CopyRow(TInfoRow row) const {
    QGuiApplication::clipboard()->setText(QString::fromStdString(CopyText(row, RowText(row))));
}

} // namespace mv
