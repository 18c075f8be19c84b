#include "core/filer/filer_session.h"

#include "core/filer/filer_analyzer.h"
#include "core/filer/filer_text.h"
#include "core/typedvalues/sjis_utf8.h"

#include <cstring>

namespace mv {
namespace {

constexpr std::string_view LoadFailed = "\r\n\r\nファイラーの読み込みに失敗しました.";

std::string SyntaxErrorText(const std::string& fileName, const TAnalyzeError& error) {
    return fileName + " に記述エラーがあります.\r\n\r\n[行番号]\t" + std::to_string(error.Line) +
           "\r\n[エラー内容]\t" + error.Message + std::string(LoadFailed);
}

std::string FileErrorText(const std::string& fileName, int error) {
    return fileName + " を読み込めません.\r\n\r\n" + std::strerror(error) + std::string(LoadFailed);
}

} // namespace

std::string TFilerSession::Load(const std::string& fileName) {
    std::string bytes;
    if (const int error = ReadWholeFile(fileName, bytes); error != 0)
        return FileErrorText(fileName, error);
    return LoadText(bytes, fileName);
}

std::string TFilerSession::LoadText(std::string_view shiftJis, const std::string& fileName) {
    TFilerCommands initialize, edit, finalize;
    const TAnalyzeError error = AnalyzeFilerText(shiftJis, initialize, edit, finalize);
    if (error.IsError) return SyntaxErrorText(fileName, error);

    TFilerLayout layout = BuildFilerLayout(edit);
    initialize_ = std::move(initialize);
    finalize_ = std::move(finalize);
    if (layout.Title) title_ = ShiftJisToUtf8(*layout.Title);
    pages_.clear();
    for (TFilerPage& page : layout.Pages) {
        TFilerSessionPage& built = pages_.emplace_back();
        built.Name = std::move(page.Name);
        built.Items = std::move(page.Items);
        for (const TFilerItem& item : built.Items)
            built.Fields.push_back(MakeFieldModel(item));
    }
    selected_ = pages_.empty() ? -1 : 0;
    return {};
}

std::string TFilerSession::Caption() const {
    return title_ + " - ファイラーツール";
}

std::vector<TFilerField*> TFilerSession::Fields() const {
    std::vector<TFilerField*> fields;
    for (const TFilerSessionPage& page : pages_)
        for (const std::unique_ptr<TFieldModel>& field : page.Fields)
            if (field) fields.push_back(field.get());
    return fields;
}

int TFilerSession::Read(TFilerTarget& target, THostServices& host) {
    if (pages_.empty()) return 0;
    const std::vector<TFilerField*> fields = Fields();
    ReadFilerFields(target, host, initialize_, fields);
    modified_ = false;
    int outside = 0;
    for (const TFilerSessionPage& page : pages_)
        for (const std::unique_ptr<TFieldModel>& field : page.Fields)
            if (field && !field->InRange()) ++outside;
    return outside;
}

const TFieldModel* TFilerSession::RefusedField() const {
    for (const TFilerSessionPage& page : pages_)
        for (const std::unique_ptr<TFieldModel>& field : page.Fields)
            if (field && !field->Refusal().empty()) return field.get();
    return nullptr;
}

bool TFilerSession::Apply(TFilerTarget& target, THostServices& host) {
    if (pages_.empty() || RefusedField() != nullptr) return false;
    if (!WriteFilerFields(target, host, finalize_, Fields())) return false;
    modified_ = false;
    return true;
}

void TFilerSession::SelectPage(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < pages_.size()) selected_ = index;
}

bool TFilerSession::CanSelectNext() const {
    return selected_ >= 0 && static_cast<std::size_t>(selected_) + 1 < pages_.size();
}

} // namespace mv
