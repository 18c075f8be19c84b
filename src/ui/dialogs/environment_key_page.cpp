#include "ui/dialogs/environment_key_page.h"

#include "core/dialogs/environment_keys.h"
#include "core/typedvalues/command_list.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QTreeWidgetItemIterator>

namespace mv {

namespace {

constexpr int CommandRole = Qt::UserRole;

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* LabelFor(const char* caption, QWidget* buddy) {
    auto* label = new QLabel(QString::fromUtf8(caption));
    label->setBuddy(buddy);
    return label;
}

} // namespace

TEnvironmentKeyPage::TEnvironmentKeyPage(TEnvironmentKeys& keys, QWidget* parent)
    : QWidget(parent), keys_(keys), shift_(new QComboBox), keyList_(new QListWidget),
      operateName_(new QLineEdit), operate_(new QTreeWidget),
      operateClear_(new QPushButton(QStringLiteral("クリア(&C)"))), template_(new QComboBox) {
    shift_->setObjectName(QStringLiteral("Shift"));
    shift_->addItems({QStringLiteral("なし"), QStringLiteral("Shift"), QStringLiteral("Ctrl"),
                      QStringLiteral("Ctrl + Shift")});
    for (int menu = 1; menu <= UserMenuCount; ++menu)
        shift_->addItem(QStringLiteral("User menu (%1)").arg(menu));
    keyList_->setObjectName(QStringLiteral("Keys"));
    keyList_->setFixedWidth(180); // key names are short; the commands get the room
    operateName_->setObjectName(QStringLiteral("OperateName"));
    operateName_->setReadOnly(true);
    operate_->setObjectName(QStringLiteral("Operate"));
    operate_->setHeaderHidden(true);
    operate_->setMinimumSize(360, 300);
    operateClear_->setObjectName(QStringLiteral("OperateClear"));
    template_->setObjectName(QStringLiteral("Template"));
    template_->addItems({QStringLiteral("Windows 版標準"), QStringLiteral("MS-DOS 版標準"),
                         QStringLiteral("任意")});

    auto* grid = new QGridLayout(this);
    grid->addWidget(LabelFor("シフトキー状態(&S)", shift_), 0, 0);
    grid->addWidget(shift_, 1, 0);
    grid->addWidget(LabelFor("割り当てるキー(&K)", keyList_), 2, 0);
    grid->addWidget(keyList_, 3, 0, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("現在の割り当て機能")), 0, 1, 1, 2);
    grid->addWidget(operateName_, 1, 1, 1, 2);
    grid->addWidget(LabelFor("機能一覧(&O)", operate_), 2, 1, 1, 2);
    grid->addWidget(operate_, 3, 1, 1, 2);
    grid->addWidget(operateClear_, 4, 2);
    grid->addWidget(LabelFor("標準テンプレート(&T)", template_), 5, 1, Qt::AlignRight);
    grid->addWidget(template_, 5, 2);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);

    BuildTree();
    shift_->setCurrentIndex(keys_.Shift());
    template_->setCurrentIndex(static_cast<int>(keys_.Template()));
    FillKeys();

    connect(shift_, &QComboBox::currentIndexChanged, this, [this](int item) {
        keys_.SelectShift(item);
        FillKeys();
    });
    connect(keyList_, &QListWidget::currentRowChanged, this, [this](int row) {
        keys_.SelectKey(row);
        ShowAssignment();
    });
    connect(operate_, &QTreeWidget::itemDoubleClicked, this,
            &TEnvironmentKeyPage::CommandDoubleClicked);
    connect(operateClear_, &QPushButton::clicked, this, [this] {
        keys_.ClearKey();
        ShowAssignment();
    });
    connect(template_, &QComboBox::activated, this, [this](int item) {
        keys_.ChooseTemplate(static_cast<TKeyAssignType>(item));
        ShowAssignment();
    });
}

// Group headings in bold, each command under its heading by its description.
void TEnvironmentKeyPage::BuildTree() {
    for (const TCommandGroup& group : CommandListGroups()) {
        auto* heading = new QTreeWidgetItem(operate_, {Utf8(group.Title)});
        QFont bold = heading->font(0);
        bold.setBold(true);
        heading->setFont(0, bold);
        for (const CommandId command : group.Commands) {
            auto* item = new QTreeWidgetItem(heading, {Utf8(CommandEntryOf(command)->Description)});
            item->setData(0, CommandRole, command);
        }
    }
}

void TEnvironmentKeyPage::FillKeys() {
    const QSignalBlocker quiet(keyList_);
    keyList_->clear();
    for (const KeyIndex key : keys_.Keys())
        keyList_->addItem(Utf8(KeyNameList[static_cast<std::size_t>(key)]));
    keyList_->setCurrentRow(-1);
    ShowAssignment();
}

void TEnvironmentKeyPage::ShowAssignment() {
    operateName_->setText(Utf8(keys_.OperateName()));
    template_->setCurrentIndex(static_cast<int>(keys_.Template()));
    const CommandId command = keys_.SelectedCommand();
    operate_->setCurrentItem(nullptr);
    operate_->clearSelection();
    if (command == NoCommand) return;
    for (QTreeWidgetItemIterator it(operate_); *it != nullptr; ++it) {
        const QVariant data = (*it)->data(0, CommandRole);
        if (!data.isValid() || data.toInt() != command) continue;
        operate_->setCurrentItem(*it);
        operate_->scrollToItem(*it);
        return;
    }
}

void TEnvironmentKeyPage::CommandDoubleClicked(QTreeWidgetItem* item) {
    const QVariant command = item->data(0, CommandRole);
    if (!command.isValid() || keys_.SelectedKey() < 0) return;
    keys_.Assign(command.toInt());
    ShowAssignment();
}

} // namespace mv
