#include "ui/probe/value_table.h"

#include "platform/fixed_font.h"

#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

namespace mv {

namespace {

constexpr int CellMargin = 3;
// What a line edit keeps free on either side of its text besides its text margins.
constexpr int LineEditPadding = 2;

} // namespace

TValueTable::TValueTable(QWidget* parent)
    : QWidget(parent), grid_(new QGridLayout(this)),
      valueFont_(FixedFont(QFontInfo(font()).pixelSize())) {
    // The table's own background shows between the cells as the rules.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Mid);
    grid_->setContentsMargins(1, 1, 1, 1);
    grid_->setSpacing(1);
    grid_->setColumnStretch(1, 1);
}

QLineEdit& TValueTable::AddRow(const QString& caption, int characters) {
    auto* label = new QLabel(caption, this);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Window);
    label->setContentsMargins(CellMargin, 0, CellMargin, 0);
    auto* field = new QLineEdit(this);
    field->setFrame(false);
    field->setAutoFillBackground(true);
    field->setFont(valueFont_);
    field->setTextMargins(CellMargin, 1, CellMargin, 1);
    const int digits =
        field->fontMetrics().horizontalAdvance(QString(characters, QLatin1Char('0')));
    field->setMinimumWidth(digits + 2 * (CellMargin + LineEditPadding));
    label->setBuddy(field);
    grid_->addWidget(label, rows_, 0);
    grid_->addWidget(field, rows_, 1);
    ++rows_;
    return *field;
}

} // namespace mv
