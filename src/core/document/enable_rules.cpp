#include "core/document/enable_rules.h"

#include "core/document/chara_set_items.h"

#include <algorithm>

namespace mv {

namespace {

class TDecisions {
public:
    void Enable(std::string_view item, bool enabled, std::string_view caption = {}) {
        states_.push_back({item, enabled, std::nullopt, caption});
    }
    void Check(std::string_view item, bool checked) {
        states_.push_back({item, true, checked, {}});
    }
    std::vector<TItemState> Take() { return std::move(states_); }

private:
    std::vector<TItemState> states_;
};

void FileItems(const TEnableFacts& f, TDecisions& d) {
    d.Enable("MM_SaveFile", f.Editable && f.Modified);
    d.Enable("MM_SaveClose", f.Editable);
    d.Enable("MM_SaveAllFile", f.Editable);
    d.Enable("MM_SaveAllClose", f.Editable);
    d.Enable("MM_OpenHistory", f.HistoryCount > 0);
    // A file changed on disk is offered for reloading even when nothing was edited here.
    if (f.HasFileName && f.NewerOnDisk)
        d.Enable("MM_Reload", true, "最新の情報に更新(&R)");
    else
        d.Enable("MM_Reload", f.HasFileName && f.Modified, "再読み込み(&R)");
    d.Enable("MM_TextOutPut", f.Size > 0,
             f.Selection ? "選択範囲をテキスト形式で出力(&T)" : "テキスト形式で出力(&T)");
}

void EditItems(const TEnableFacts& f, TDecisions& d) {
    const bool notEmpty = f.Size > 0;
    d.Enable("MM_Cut", f.Selection && f.Editable);
    d.Enable("MM_Delete", f.Selection && f.Editable);
    d.Enable("MM_Copy", f.Selection);
    d.Enable("MM_Paste", f.Pasteable && f.Editable);
    d.Enable("MM_SelectAll", notEmpty);
    d.Enable("MM_Undo", f.CanUndo);
    d.Enable("MM_Redo", f.CanRedo);
    d.Enable("MM_HistoryFlush", f.CanUndo || f.CanRedo);
    for (const std::string_view item : {"MM_Input", "MM_InputInt", "MM_InputStr", "MM_InputChar"})
        d.Enable(item, f.Editable);
    for (const std::string_view item :
         {"MM_BitNot", "MM_BitReverse", "MM_BitRollRight", "MM_BitRollLeft", "MM_ByteReverse",
          "MM_ByteRollRight", "MM_ByteRollLeft"})
        d.Enable(item, notEmpty && f.Editable);
    // At the end without a selection there is no byte to step.
    const bool integerTarget = !(f.CaretAtEnd && !f.Selection) && f.Editable;
    for (const std::string_view item : {"MM_IntOperate", "MM_IntInc", "MM_IntDec"})
        d.Enable(item, integerTarget);
}

void SearchItems(const TEnableFacts& f, TDecisions& d) {
    d.Enable("MM_ReplaceData", f.Editable);
    d.Enable("MM_ComparePrev", f.Comparing);
    d.Enable("MM_CompareNext", f.Comparing);
    d.Enable("MM_FileTop", !f.CaretAtStart);
    d.Enable("MM_FileEnd", !f.CaretAtEnd);
    d.Enable("MM_AddressJump", f.Size > 0);
}

void ViewItems(const TEnableFacts& f, TDecisions& d) {
    d.Check("MM_DialogFlattery", f.DialogFlattery);
    d.Check("MM_DialogAutoHidden", f.DialogAutoHidden);
    d.Check("MM_ViewToolBar", f.ToolBar);
    d.Check("MM_ViewFunctionBar", f.FunctionBar);
    d.Check("MM_ViewStatusBar", f.StatusBar);
    d.Check("MM_ViewInformationPanel", f.InformationPanel);
    d.Check("MM_ViewCaretMarker", f.CaretMarker);
    d.Check("MM_ViewCompareArrow", f.CompareArrow);
    d.Check("MM_ViewCompareColor", f.CompareColor);
    d.Check("MM_CheckSumSimple", f.CheckSum == TCheckSum::Simple);
    d.Check("MM_CheckSumAscii", f.CheckSum == TCheckSum::Ascii);
    for (const TCharaSetItem& item : CharaSetItems)
        d.Check(item.Item, f.CharaSet == item.Set);
    d.Check("MM_LittleEndian", f.ByteOrder == TByteOrder::LittleEndian);
    d.Check("MM_BigEndian", f.ByteOrder == TByteOrder::BigEndian);
}

void CompareItems(const TEnableFacts& f, TDecisions& d) {
    d.Enable("MM_CompareWindow", f.WindowCount > 1);
    d.Enable("MM_ComparePresent", f.HasFileName,
             f.CompareMode == TCompareMode::Present ? "ディスク上の現状をリロード(&S)"
                                                    : "ディスク上の現状と比較(&S)");
    d.Enable("MM_CompareQuit", f.CompareMode != TCompareMode::None);
    d.Enable("MM_GarbageCollection", f.BlockCount != f.MinBlockCount);
}

} // namespace

std::vector<TItemState> EnableSetting(const TEnableFacts& facts) {
    TDecisions decisions;
    FileItems(facts, decisions);
    EditItems(facts, decisions);
    SearchItems(facts, decisions);
    ViewItems(facts, decisions);
    CompareItems(facts, decisions);
    return decisions.Take();
}

const TItemState* FindItem(const std::vector<TItemState>& states, std::string_view item) {
    const auto it = std::ranges::find(states, item, &TItemState::Item);
    return it == states.end() ? nullptr : &*it;
}

} // namespace mv
