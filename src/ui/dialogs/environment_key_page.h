#pragma once

#include <QtWidgets/QWidget>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace mv {

class TEnvironmentKeys;

// The key page ("キー") of the environment options: the shift state or user menu, its keys,
// what the chosen key runs, the tree of commands from the built-in command list (a double
// click binds the chosen key), "クリア(&C)" and the template.
class TEnvironmentKeyPage : public QWidget {
    Q_OBJECT
public:
    explicit TEnvironmentKeyPage(TEnvironmentKeys& keys, QWidget* parent = nullptr);

private:
    void BuildTree();
    void FillKeys();
    // Shows what the chosen key runs and selects that command in the tree.
    void ShowAssignment();
    void CommandDoubleClicked(QTreeWidgetItem* item);

    TEnvironmentKeys& keys_;
    QComboBox* shift_;
    QListWidget* keyList_;
    QLineEdit* operateName_;
    QTreeWidget* operate_;
    QPushButton* operateClear_;
    QComboBox* template_;
};

} // namespace mv
