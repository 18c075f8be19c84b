#pragma once

#include "core/config/environment.h"

#include <QtWidgets/QWidget>

#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace mv {

class TEnvironmentColors;

// The colour page ("配色") of the environment options: a row per colour pair with a button
// for each colour, which opens the colour dialog, and a sample of the pair; "同じ色(&C)" ties
// the comparison backgrounds to the normal one.
class TEnvironmentColorPage : public QWidget {
    Q_OBJECT
public:
    explicit TEnvironmentColorPage(TEnvironmentColors& colors, QWidget* parent = nullptr);

    // The colour dialog for that colour: preset with it, taken on OK.
    void Choose(TColorIndex index);

private:
    struct TSample {
        QLabel* Label;
        TColorIndex Font;
        TColorIndex Background; // the font colour again for the caret marker's swatch
    };
    void Refresh();

    TEnvironmentColors& colors_;
    QCheckBox* sameColor_;
    std::vector<TSample> samples_;
    std::vector<std::pair<QPushButton*, TColorIndex>> buttons_;
};

} // namespace mv
