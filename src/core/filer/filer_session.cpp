#include "core/filer/filer_session.h"

#include "core/filer/filer_analyzer.h"
#include "core/filer/filer_bounds.h"
#include "core/filer/filer_text.h"
#include "core/typedvalues/sjis_utf8.h"

#include <cerrno>
#include <cstring>
#include <optional>

namespace mv {
namespace {

constexpr std::string_view LoadFailed = "\r\n\r\nファイラーの読み込みに失敗しました.";

std::string SyntaxErrorText(const std::string& fileName, const TAnalyzeError& error) {
    return fileName + " に記述エラーがあります.\r\n\r\n[行番号]\t" + std::to_string(error.Line) +
           "\r\n[エラー内容]\t" + error.Message + std::string(LoadFailed);
}

std::string FileErrorText(const std::string& fileName, int error) {
    const std::string reason = error == EFBIG
                                   ? "ファイラーが大きすぎます. ファイラーは " +
                                         std::to_string(MaxFilerBytes) + " バイトまでにして下さい."
                                   : std::strerror(error);
    return fileName + " を読み込めません.\r\n\r\n" + reason + std::string(LoadFailed);
}

// The first page too tall to be shown, as a parse error at the row that passed the height.
std::optional<TAnalyzeError> TallPage(const std::vector<TFilerPage>& pages,
                                      const std::vector<TFilerPagePlace>& places) {
    for (std::size_t p = 0; p < pages.size(); ++p)
        if (const std::optional<std::size_t> row = places[p].TooTall)
            return TAnalyzeError{.IsError = true,
                                 .Line = pages[p].Items[*row].Line,
                                 .Message = "ページが長すぎます. 1 ページの高さは " +
                                            std::to_string(MaxPageHeight) +
                                            " ピクセルまでです. PAGE でページを分けて下さい."};
    return std::nullopt;
}

} // namespace

std::string TFilerSession::Load(const std::string& fileName, const TFilerMetrics& metrics) {
    std::string bytes;
    if (const int error = ReadFileStart(fileName, MaxFilerBytes, bytes); error != 0)
        return FileErrorText(fileName, error);
    return LoadText(bytes, fileName, metrics);
}

std::string TFilerSession::LoadText(std::string_view shiftJis, const std::string& fileName,
                                    const TFilerMetrics& metrics) {
    TFilerCommands initialize, edit, finalize;
    const TAnalyzeError error = AnalyzeFilerText(shiftJis, initialize, edit, finalize);
    if (error.IsError) return SyntaxErrorText(fileName, error);

    TFilerLayout layout = BuildFilerLayout(edit);
    std::vector<TFilerPagePlace> places;
    for (const TFilerPage& page : layout.Pages)
        places.push_back(PlaceFilerPage(page.Items, metrics));
    if (const std::optional<TAnalyzeError> tall = TallPage(layout.Pages, places))
        return SyntaxErrorText(fileName, *tall);

    initialize_ = std::move(initialize);
    finalize_ = std::move(finalize);
    if (layout.Title) title_ = ShiftJisToUtf8(*layout.Title);
    pages_.clear();
    for (std::size_t p = 0; p < layout.Pages.size(); ++p) {
        TFilerSessionPage& built = pages_.emplace_back();
        built.Name = std::move(layout.Pages[p].Name);
        built.Items = std::move(layout.Pages[p].Items);
        built.Place = std::move(places[p]);
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
