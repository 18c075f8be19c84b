#include "ui/typedvalues/edit_ex.h"

namespace mv {

TEditEx::TEditEx(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight);
}

} // namespace mv
