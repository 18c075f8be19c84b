#include "core/binaryview/comparison.h"

#include "core/binaryview/editor_core.h"

#include <string_view>

namespace mv {

namespace {

constexpr std::string_view kNoDifference = "相違点が見付かりません.";

} // namespace

TComparison::~TComparison() = default;

TCompareStart TComparison::CompareWithFile(const std::string& fileName, int& errorCode) {
    errorCode = 0;
    if (Comparing()) return TCompareStart::AlreadyComparing;
    // A store of its own, without a progress handler: the view's load messages stay silent.
    auto store = std::make_unique<TMemoryModule>();
    errorCode = store->LoadFromFile(fileName, editor_.OnDemandFrom);
    if (errorCode != 0) return TCompareStart::LoadFailed;
    owned_ = std::move(store);
    target_ = owned_.get();
    Started();
    return TCompareStart::Started;
}

TCompareStart TComparison::CompareWithStore(const TMemoryModule& target) {
    if (Comparing()) return TCompareStart::AlreadyComparing;
    target_ = &target;
    Started();
    return TCompareStart::Started;
}

void TComparison::End() {
    if (!Comparing()) return;
    editor_.Search().ForgetDifferenceTarget(target_);
    target_ = nullptr;
    owned_.reset();
    // A hit flag left for the next comparison would skip the first run against its target.
    editor_.CompareHit = false;
    editor_.Changed();
}

void TComparison::FindNext(TSearchDirection direction) {
    if (!Comparing()) return;
    TDifferenceRecord record;
    record.Target = target_;
    record.Position = editor_.CaretAddress();
    record.Direction = static_cast<std::uint8_t>(direction);
    record.IncludeCurrent = editor_.CompareHit ? 0 : 1;
    ByteCount runLength = 0;
    editor_.module_.CheckSource();
    target_->CheckSource();
    const Address start = editor_.module_.FindDifference(record, runLength);
    if (start < 0) {
        if (editor_.module_.Stopped() || editor_.ScanStoppedByFault(target_)) return;
        editor_.host_.MessageDlgBeep(kNoDifference, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
        return;
    }
    // Placing the caret forgets the highlight and the hit flags, so they come after it.
    editor_.SetCaret({start, 0});
    editor_.SetHighlight(start, runLength);
    editor_.CompareHit = true;
    // A jump is a caret movement: packed typing before it and after it are two undo steps.
    editor_.history_.AdvanceGroup();
}

void TComparison::Started() {
    editor_.Changed();
}

} // namespace mv
