#include "ui/dialogs/button_row.h"

#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QPushButton>

namespace mv {

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons) row->addWidget(button);
    return row;
}

} // namespace mv
