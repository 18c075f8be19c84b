#include "ui/dialogs/environment_value_pages.h"

#include "core/dialogs/environment_options.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QVBoxLayout>

#include <initializer_list>

namespace mv {

namespace {

constexpr const char* DeferredNote = "先頭に * が付いている項目は次回編集ウィンドウ展開時から有効です";
constexpr const char* OpenWindowsKeepCurrent = "既に展開されている編集ウィンドウでは現在の設定がそのまま利用されます";
constexpr const char* OpenWindowsKeepOpening = "既に展開されている編集ウィンドウでは展開時の設定が保持されます";

constexpr int ChoiceWidth = 200;

template <class T> struct TChoice {
    const char* Caption;
    T Value;
};

// Lays out one page: labelled fields first, then the check boxes, then the notes. Every
// control is named as its value is known in the program and bound to its field of the copy;
// the bindings outlive the builder, so they hold the options, never the builder.
class TPageBuilder {
public:
    explicit TPageBuilder(TEnvironmentOptions& options)
        : options_(options), page_(new QWidget), fields_(new QFormLayout), checks_(new QVBoxLayout) {
        fields_->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
        auto* layout = new QVBoxLayout(page_);
        layout->addLayout(fields_);
        layout->addLayout(checks_);
        layout->addStretch();
        notes_ = new QVBoxLayout;
        layout->addLayout(notes_);
    }

    // A value the list has no item for is shown as an item of its own, so that it survives.
    template <class T>
    void Choice(const char* name, const char* caption, std::initializer_list<TChoice<T>> items,
                T TEnvironment::*field) {
        auto* box = new QComboBox;
        box->setObjectName(QString::fromLatin1(name));
        box->setMinimumWidth(ChoiceWidth); // the lists of a page line up
        for (const TChoice<T>& item : items)
            box->addItem(QString::fromUtf8(item.Caption), static_cast<int>(item.Value));
        const int value = static_cast<int>(options_.Settings().*field);
        if (box->findData(value) < 0)
            box->insertItem(0, QStringLiteral("%1 (一覧にない値)").arg(value), value);
        box->setCurrentIndex(box->findData(value));
        QObject::connect(box, &QComboBox::activated, box, [&options = options_, box, field](int index) {
            options.Set(field, static_cast<T>(box->itemData(index).toInt()));
        });
        fields_->addRow(QString::fromUtf8(caption), box);
    }

    void Number(const char* name, const char* caption, TValueRange range,
                std::int32_t TEnvironment::*field, const char* unit = nullptr) {
        auto* spin = new QSpinBox;
        spin->setObjectName(QString::fromLatin1(name));
        spin->setRange(range.First, range.Last);
        spin->setValue(options_.Settings().*field);
        QObject::connect(spin, &QSpinBox::valueChanged, spin,
                         [&options = options_, field](int value) { options.Set(field, std::int32_t{value}); });
        auto* row = new QHBoxLayout;
        row->addWidget(spin);
        if (unit != nullptr) row->addWidget(new QLabel(QString::fromUtf8(unit)));
        row->addStretch();
        auto* label = new QLabel(QString::fromUtf8(caption));
        label->setBuddy(spin);
        fields_->addRow(label, row);
    }

    void Text(const char* name, const char* caption, std::string TEnvironment::*field) {
        auto* edit = new QLineEdit(QString::fromStdString(options_.Settings().*field));
        edit->setObjectName(QString::fromLatin1(name));
        QObject::connect(edit, &QLineEdit::textEdited, edit, [&options = options_, field](const QString& text) {
            options.Set(field, text.toStdString());
        });
        fields_->addRow(QString::fromUtf8(caption), edit);
    }

    void Check(const char* name, const char* caption, bool TEnvironment::*field) {
        auto* box = new QCheckBox(QString::fromUtf8(caption));
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(options_.Settings().*field);
        QObject::connect(box, &QCheckBox::toggled, box,
                         [&options = options_, field](bool checked) { options.Set(field, checked); });
        checks_->addWidget(box);
    }

    void Notes(std::initializer_list<const char*> notes) {
        for (const char* note : notes) {
            auto* label = new QLabel(QString::fromUtf8(note));
            label->setWordWrap(true);
            notes_->addWidget(label);
        }
    }

    [[nodiscard]] QWidget* Page() const { return page_; }

private:
    TEnvironmentOptions& options_;
    QWidget* page_;
    QFormLayout* fields_;
    QVBoxLayout* checks_;
    QVBoxLayout* notes_;
};

} // namespace

QWidget* BuildGeneralPage(TEnvironmentOptions& options) {
    using E = TEnvironment;
    TPageBuilder page(options);
    page.Choice<TInputMode>("InputMode", "*標準入力モード(&I)",
                            {{"上書き", TInputMode::Overwrite}, {"挿入", TInputMode::Insert}},
                            &E::InputMode);
    page.Choice<TCheckSum>("CheckSum", "*標準サム形式(&S)",
                           {{"単純サム", TCheckSum::Simple}, {"アスキー形式サム", TCheckSum::Ascii}},
                           &E::CheckSum);
    page.Choice<TByteOrder>("ByteOrder", "*標準バイトオーダー(&O)",
                            {{"リトルエンディアン", TByteOrder::LittleEndian},
                             {"ビッグエンディアン", TByteOrder::BigEndian}},
                            &E::ByteOrder);
    page.Choice<CharaSet>("CharaSet", "*標準文字コード(&C)",
                          {{"ASCII", CharaSet::Ascii}, {"Shift JIS", CharaSet::ShiftJis},
                           {"JIS", CharaSet::Jis}, {"EUC", CharaSet::Euc},
                           {"UTF-8", CharaSet::Utf8}, {"UTF-16LE", CharaSet::Utf16Le},
                           {"UTF-16BE", CharaSet::Utf16Be}},
                          &E::CharaSet);
    page.Choice<TVariableType>("Bits", "*標準ビット数(&B)",
                               {{"8 bit", TVariableType::vtByte}, {"16 bit", TVariableType::vtWord},
                                {"32 bit", TVariableType::vtDoubleWord}},
                               &E::IntWidth);
    page.Choice<TCardinalNumber>("Number", "*標準基数(&N)",
                                 {{"2 進数", TCardinalNumber::cnBinary},
                                  {"10 進数", TCardinalNumber::cnDecimal},
                                  {"16 進数", TCardinalNumber::cnHexadecimal}},
                                 &E::IntCardinal);
    page.Notes({DeferredNote, OpenWindowsKeepCurrent});
    return page.Page();
}

QWidget* BuildEditPage(TEnvironmentOptions& options) {
    using E = TEnvironment;
    TPageBuilder page(options);
    page.Text("ViewExt", "*閲覧モード拡張子(&E)", &E::ViewModeExt);
    page.Number("UndoBuffer", "アンドゥバッファ(&U)", UndoBufferRange, &E::UndoBuffer, "KB");
    page.Check("UndoPacked", "アンドゥの一連動作をまとめる(&P)", &E::UndoPacked);
    page.Check("UndoFlushWithSaved", "保存と同時にアンドゥバッファをクリア(&F)", &E::UndoFlushWithSaved);
    page.Check("ExpandTenKey", "拡張テンキーを利用する(&T)", &E::ExpandTenKey);
    page.Check("UndoOverflowSound", "アンドゥバッファオーバーフロー時に警告音を鳴らす(&O)",
               &E::UndoOverflowSound);
    page.Check("BackupFileMake", "保存時にバックアップファイルを作成する(&B)", &E::MakeBackFile);
    page.Number("OnDemandSize", "必要な部分だけ読み込むファイルの大きさ(&L)", OnDemandRange,
                &E::OnDemandMegabytes, "MB 以上");
    page.Notes({DeferredNote, OpenWindowsKeepOpening});
    return page.Page();
}

QWidget* BuildViewPage(TEnvironmentOptions& options) {
    using E = TEnvironment;
    TPageBuilder page(options);
    page.Number("FontSize", "フォントサイズ(&H)", FontHeightRange, &E::FontHeight);
    page.Check("ToolBar", "ツールバーを表示(&T)", &E::ToolBar);
    page.Check("FunctionBar", "ファンクションバーを表示(&F)", &E::FunctionBar);
    page.Check("InformationPanel", "情報パネルを表示(&I)", &E::InformationPanel);
    page.Check("Compare", "比較時の大小マークを表示(&C)", &E::CompareArrow);
    page.Check("StatusBar", "ステータスバーを表示(&S)", &E::StatusBar);
    page.Check("CaretMarker", "キャレット位置のマーカの表示(&M)", &E::CaretMarker);
    page.Check("CompareColor", "比較時の大小を色分け表示(&L)", &E::CompareColor);
    return page.Page();
}

QWidget* BuildWindowPage(TEnvironmentOptions& options) {
    using E = TEnvironment;
    TPageBuilder page(options);
    page.Number("ProfileMax", "プロファイル最大記憶数(&M)", ProfileMaxRange, &E::ProfileMax);
    page.Check("ProfileNotExistToCenter", "プロファイルが存在しなかった場合には画面中央に表示(&P)",
               &E::ProfileNotExistToCenter);
    page.Check("ProfilePositionLoad", "編集位置を最後に閉じた時点に復元する(&E)", &E::ProfilePositionLoad);
    page.Check("ProfileWindowLoad", "編集ウィンドウの位置を最後に閉じた時点に復元する(&W)",
               &E::ProfileWindowLoad);
    page.Check("NewWindowMoveCenter", "新規の編集ウィンドウは画面中央に表示(&C)", &E::NewWindowMoveCenter);
    page.Check("DialogFlattery", "*編集ウィンドウに追従させる(&F)", &E::DialogFlattery);
    page.Check("DialogAutoHidden", "*非アクティブな編集ウィンドウに属するダイアログを自動的に隠す(&H)",
               &E::DialogAutoHidden);
    page.Check("OpeningDialog", "オープニングダイアログを表示する(&D)", &E::OpeningDlg);
    page.Notes({DeferredNote, OpenWindowsKeepOpening});
    return page.Page();
}

} // namespace mv
