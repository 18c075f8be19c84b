#pragma once

#include <QtWidgets/QLineEdit>

namespace mv {

// A one-line text field whose text is right-aligned.
class TEditEx : public QLineEdit {
public:
    explicit TEditEx(QWidget* parent = nullptr);
};

} // namespace mv
