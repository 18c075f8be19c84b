#pragma once

#include "core/typedvalues/char_set.h"
#include "core/typedvalues/input_data.h"

#include <QtWidgets/QWidget>

#include <string>

class QComboBox;
class QPlainTextEdit;

namespace mv {

// The string frame: a multi-line text stored with a chosen line end in a chosen character set.
class TFrmInputStr : public QWidget {
    Q_OBJECT
public:
    explicit TFrmInputStr(QWidget* parent = nullptr);

    [[nodiscard]] TNewLineCode NewLineCode() const;
    void SetNewLineCode(TNewLineCode code);
    // Any set but ASCII.
    [[nodiscard]] mv::CharaSet CharaSet() const;
    void SetCharaSet(mv::CharaSet set);

    // The text's bytes: its lines ended as chosen, in the chosen set; none for no text.
    [[nodiscard]] std::string GetText() const;

    [[nodiscard]] QPlainTextEdit& EditBox() { return *editBox_; }

private:
    QPlainTextEdit* editBox_;
    QComboBox* newLineCode_;
    QComboBox* charaSet_;
};

} // namespace mv
