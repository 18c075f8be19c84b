#pragma once

#include <QtGui/QFont>
#include <QtWidgets/QWidget>

class QGridLayout;
class QLineEdit;

namespace mv {

// Captions and value fields as the cells of a table, with one-pixel rules between them and no
// frame around each field: a field's frame is most of the cost of its repaint, and the data
// probe repaints every value at each caret move.
class TValueTable : public QWidget {
    Q_OBJECT
public:
    explicit TValueTable(QWidget* parent);

    // A row at the bottom: the caption and a field in the fixed-pitch font, wide enough for
    // `characters` digits.
    QLineEdit& AddRow(const QString& caption, int characters);

private:
    QGridLayout* grid_;
    QFont valueFont_;
    int rows_ = 0;
};

} // namespace mv
