#include "ui/dialogs/environment_color_page.h"

#include "core/dialogs/environment_colors.h"
#include "platform/fixed_font.h"
#include "platform/system_color.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QColorDialog>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>


namespace mv {

namespace {

using C = TColorIndex;

struct TColorRow {
    const char* Caption;
    const char* Name; // the buttons are Name_Font and Name_BG
    C Font;
    C Background;
    const char* SampleText;
};

constexpr TColorRow Rows[] = {
    {"標準色", "Normal", C::NormalFont, C::NormalBG, "B4"},
    {"比較色(色分けなし)", "Difference", C::DifferenceFont, C::DifferenceBG, "B4"},
    {"比較色(大きい)", "Bigger", C::DifferenceBiggerFont, C::DifferenceBiggerBG, "B4"},
    {"比較色(小さい)", "Smaller", C::DifferenceSmallerFont, C::DifferenceSmallerBG, "B4"},
    {"比較色(対象無し)", "Over", C::OverFont, C::OverBG, "B4"},
    {"選択領域色", "Select", C::SelectFont, C::SelectBG, "B4"},
    {"EOF 表示", "Eof", C::EofFont, C::EofBG, "EOF"},
};

constexpr int SampleHeight = 16; // the view's default font height, a little larger

TRgb RgbOf(const QColor& color) {
    return {static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
            static_cast<std::uint8_t>(color.blue())};
}

// The sample sits in a frame of its own: its edges keep the dialog's colours whatever
// colours the sample shows.
QLabel* NewSample(const char* text, const QString& name, QGridLayout& grid, int row) {
    auto* frame = new QFrame;
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* sample = new QLabel(QString::fromUtf8(text));
    sample->setObjectName(name);
    sample->setFont(FixedFont(SampleHeight));
    sample->setAlignment(Qt::AlignCenter);
    sample->setAutoFillBackground(true);
    sample->setMinimumSize(56, 24);
    auto* inside = new QVBoxLayout(frame);
    inside->setContentsMargins(1, 1, 1, 1);
    inside->addWidget(sample);
    grid.addWidget(frame, row, 3);
    return sample;
}

} // namespace

TEnvironmentColorPage::TEnvironmentColorPage(TEnvironmentColors& colors, QWidget* parent)
    : QWidget(parent), colors_(colors), sameColor_(new QCheckBox(QStringLiteral("同じ色(&C)"))) {
    auto* grid = new QGridLayout;
    const auto addButton = [&](const QString& name, const char* caption, C index, int row,
                               int column) {
        auto* button = new QPushButton(QString::fromUtf8(caption));
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, [this, index] { Choose(index); });
        buttons_.emplace_back(button, index);
        grid->addWidget(button, row, column);
    };
    int row = 0;
    for (const TColorRow& r : Rows) {
        const QString name = QString::fromLatin1(r.Name);
        grid->addWidget(new QLabel(QString::fromUtf8(r.Caption)), row, 0);
        addButton(name + QStringLiteral("_Font"), "文字色", r.Font, row, 1);
        addButton(name + QStringLiteral("_BG"), "背景色", r.Background, row, 2);
        QLabel* sample = NewSample(r.SampleText, name + QStringLiteral("_Sample"), *grid, row);
        samples_.push_back({sample, r.Font, r.Background});
        ++row;
    }
    grid->addWidget(new QLabel(QStringLiteral("キャレットマーカ")), row, 0);
    addButton(QStringLiteral("CaretMarkerColor"), "線色", C::CaretMarker, row, 1);
    QLabel* swatch = NewSample("", QStringLiteral("CaretMarker_Sample"), *grid, row);
    samples_.push_back({swatch, C::CaretMarker, C::CaretMarker});
    grid->setColumnStretch(4, 1);

    sameColor_->setObjectName(QStringLiteral("SameColor"));
    sameColor_->setChecked(colors_.SameColor());
    connect(sameColor_, &QCheckBox::toggled, this, [this](bool checked) {
        colors_.SetSameColor(checked);
        Refresh();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(sameColor_);
    layout->addStretch();
    Refresh();
}

void TEnvironmentColorPage::Choose(TColorIndex index) {
    const QColor shown = ToQColor(colors_.Color(index), palette());
    QColorDialog dialog(shown, this);
    dialog.setWindowTitle(QStringLiteral("色の設定"));
    if (dialog.exec() != QDialog::Accepted) return;
    colors_.Pick(index, RgbOf(shown), RgbOf(dialog.selectedColor()));
    Refresh();
}

void TEnvironmentColorPage::Refresh() {
    for (const TSample& sample : samples_) {
        QPalette colors = sample.Label->palette();
        colors.setColor(QPalette::WindowText, ToQColor(colors_.Color(sample.Font), palette()));
        colors.setColor(QPalette::Window, ToQColor(colors_.Color(sample.Background), palette()));
        sample.Label->setPalette(colors);
    }
    for (const auto& [button, index] : buttons_) button->setEnabled(colors_.ButtonEnabled(index));
}

} // namespace mv
