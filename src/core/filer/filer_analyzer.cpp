#include "core/filer/filer_analyzer.h"

#include "core/filer/filer_bounds.h"
#include "core/filer/filer_command_table.h"
#include "core/filer/filer_number.h"
#include "core/filer/filer_parameter_check.h"
#include "core/filer/filer_text.h"
#include "core/typedvalues/sjis_utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace mv {
namespace {

enum class TReaderState { ExpectCommand, ExpectOpenParen, ExpectParameter, ExpectSeparator };

struct TCommonBlock {
    std::string Name; // upper-cased
    TFilerCommands Commands;
    int Widgets = 0; // what its commands build
};

bool IsBlank(char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

bool EndsWord(char c) {
    return IsBlank(c) || c == '#' || c == '(' || c == ')' || c == ',' || c == '{';
}

// Codes 0 to 32, which a word loses at both ends.
bool IsTrimmed(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

bool HasForbiddenByte(std::string_view token) {
    return std::ranges::any_of(token, [](char c) {
        const auto code = static_cast<unsigned char>(c);
        return code < 32 && code != '\t';
    });
}

std::string Quoting(std::string_view message, std::string_view shiftJisText) {
    return std::string(message) + "\"" + ShiftJisToUtf8(shiftJisText) + "\"";
}

// Every line, the last included, ends in CR LF, and one more CR LF follows.
std::string NormalizedText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 16 + 2);
    for (const std::string& line : SplitLines(bytes))
        text.append(line).append("\r\n");
    return text.append("\r\n");
}

// One parse: the reader state, the sections and the common blocks live only as long as it.
class TFilerReader {
public:
    TFilerReader(std::string_view bytes, std::array<TFilerCommands*, 3> lists)
        : text_(NormalizedText(bytes)), lists_(lists) {}

    TAnalyzeError Read();

private:
    // Each answers the error message for the token, empty when it was taken.
    std::string Take(std::string token);
    std::string TakeCommand(const std::string& token);
    std::string TakeParameter(std::string token);
    std::string TakeSeparator(const std::string& token);
    std::string Finish();
    // Appends to the current section's list (or block), within the bounds of the edit section.
    std::string Store(TFilerCommand command);
    // Refuses commands that would take the edit section past its bounds, before they are added.
    [[nodiscard]] std::string EditRoomFor(std::size_t commands, int widgets) const;

    [[nodiscard]] TFilerCommands& CurrentList();
    // The 1-based line of a position; positions are asked in increasing order.
    std::int32_t LineAt(std::size_t at);
    [[nodiscard]] std::size_t SkipBlanks(std::size_t at) const;
    // Both answer npos when the text ends first; they step over double-byte characters,
    // whose trail byte may be "{" or "}".
    [[nodiscard]] std::size_t FindCommentEnd(std::size_t at) const;
    [[nodiscard]] std::size_t FindWordEnd(std::size_t at) const;
    [[nodiscard]] static TAnalyzeError Failure(std::int32_t line, std::string message);

    const std::string text_;
    const std::array<TFilerCommands*, 3> lists_; // by section: edit, initialize, finalize
    std::vector<TCommonBlock> blocks_;
    TFilerSection section_ = TFilerSection::Edit;
    TReaderState state_ = TReaderState::ExpectCommand;
    const TCommandType* command_ = nullptr;
    std::vector<std::string> parameters_;
    std::int32_t line_ = 1;   // of the token being taken
    std::size_t counted_ = 0; // the text before it holds lineFeeds_ line feeds
    std::int64_t lineFeeds_ = 0;
    int editWidgets_ = 0;
};

TAnalyzeError TFilerReader::Read() {
    std::size_t at = 0;
    while ((at = SkipBlanks(at)) < text_.size()) {
        line_ = LineAt(at);
        std::string token;
        switch (text_[at]) {
        case '(':
        case ')':
        case ',':
            token.assign(1, text_[at++]);
            break;
        case '"': {
            const std::size_t close = text_.find('"', at + 1);
            if (close == std::string::npos)
                return Failure(line_, "トークンが正常に終了していません.");
            token = text_.substr(at + 1, close - at - 1);
            at = close + 1;
            break;
        }
        case '#':
            at = std::min(text_.find_first_of("\r\n", at), text_.size());
            continue;
        case '{': {
            const std::size_t close = FindCommentEnd(at + 1);
            if (close == std::string::npos)
                return Failure(line_, "コメントが正常に終了していません.");
            at = close + 1;
            continue;
        }
        default: {
            const std::size_t end = FindWordEnd(at);
            std::size_t first = at;
            std::size_t last = end;
            while (first < last && IsTrimmed(text_[first]))
                ++first;
            while (last > first && IsTrimmed(text_[last - 1]))
                --last;
            token = text_.substr(first, last - first);
            at = end;
            break;
        }
        }
        if (std::string error = Take(std::move(token)); !error.empty())
            return Failure(line_, std::move(error));
    }
    if (state_ != TReaderState::ExpectCommand)
        return Failure(LineAt(text_.size()), "ファイラー末尾が不正です.");
    TAnalyzeError success;
    success.IsError = false;
    return success;
}

std::string TFilerReader::Take(std::string token) {
    if (HasForbiddenByte(token)) return "トークンに不正な文字が含まれています.";
    switch (state_) {
    case TReaderState::ExpectCommand:
        return TakeCommand(token);
    case TReaderState::ExpectOpenParen:
        if (token != "(") return "( が必要です.";
        state_ = TReaderState::ExpectParameter;
        return {};
    case TReaderState::ExpectParameter:
        return TakeParameter(std::move(token));
    case TReaderState::ExpectSeparator:
        return TakeSeparator(token);
    }
    return {};
}

std::string TFilerReader::TakeCommand(const std::string& token) {
    if (!token.empty() && (token[0] == '(' || token[0] == ')' || token[0] == ','))
        return "不正な位置にある " + ShiftJisToUtf8(token) + " です.";
    const std::string name = UpperAscii(token);
    const TCommandType* type = FindFilerCommand(name);
    if (type == nullptr) return Quoting("コマンド名が不明です. ", name);
    if (!type->AllowedIn(section_)) {
        static constexpr std::array<std::string_view, 4> NotHere{
            "編集部では使えないコマンドです. ", "初期化部では使えないコマンドです. ",
            "終了部では使えないコマンドです. ", "共通ブロック定義部では使えないコマンドです. "};
        return Quoting(NotHere[static_cast<std::size_t>(section_)], name);
    }
    if (name == "COMMAND")
        section_ = TFilerSection::Edit;
    else if (name == "INITIALIZE")
        section_ = TFilerSection::Initialize;
    else if (name == "FINALIZE")
        section_ = TFilerSection::Finalize;
    else if (type->Signature.empty())
        return Store({name, {}, line_});
    else {
        command_ = type;
        state_ = TReaderState::ExpectOpenParen;
    }
    return {};
}

std::string TFilerReader::TakeParameter(std::string token) {
    const int position = static_cast<int>(parameters_.size()) + 1;
    const char type = ParameterType(*command_, position);
    if (type == '\0') return "パラメータが多すぎます.";
    if (type == 'I') {
        switch (NormalizeNumber(token)) {
        case TNumberCheck::NotANumber:
            return Quoting("正の整数値を指定して下さい. ", token);
        case TNumberCheck::OutOfRange:
            return Quoting("整数値が大きすぎます. 10 進数では 2147483647 まで、16 進数では "
                           "8 桁までで指定して下さい. ",
                           token);
        case TNumberCheck::Ok:
            break;
        }
    }
    if (std::string error = CheckParameter(*command_, position, token, parameters_); !error.empty())
        return error;
    parameters_.push_back(std::move(token));
    state_ = TReaderState::ExpectSeparator;
    return {};
}

std::string TFilerReader::TakeSeparator(const std::string& token) {
    if (token == ",") {
        state_ = TReaderState::ExpectParameter;
        return {};
    }
    if (token != ")") return ") か , が必要です.";
    switch (CheckParameterCount(*command_, static_cast<int>(parameters_.size()))) {
    case TParameterCount::TooFew:
        return "パラメータが足りません.";
    case TParameterCount::TooMany:
        return "パラメータが多すぎます.";
    case TParameterCount::Ok:
        break;
    }
    return Finish();
}

std::string TFilerReader::Finish() {
    const std::string_view name = command_->Name;
    if (name == "COMMON" || name == "INCLUDECOMMON") {
        const std::string blockName = UpperAscii(parameters_[0]);
        const auto block = std::ranges::find(blocks_, blockName, &TCommonBlock::Name);
        if (name == "COMMON") {
            if (block != blocks_.end())
                return Quoting("共通ブロックの多重定義です. ", parameters_[0]);
            blocks_.push_back({blockName, {}});
            section_ = TFilerSection::Common;
        } else {
            if (block == blocks_.end())
                return Quoting("未定義の共通ブロックです. ", parameters_[0]);
            if (std::string error = EditRoomFor(block->Commands.size(), block->Widgets);
                !error.empty())
                return error;
            editWidgets_ += block->Widgets;
            for (const TFilerCommand& command : block->Commands)
                lists_[0]->push_back({command.Name, command.Parameters, line_});
        }
        parameters_.clear();
    } else if (std::string error =
                   Store({std::string(name), std::exchange(parameters_, {}), line_});
               !error.empty()) {
        return error;
    }
    command_ = nullptr;
    state_ = TReaderState::ExpectCommand;
    return {};
}

std::string TFilerReader::Store(TFilerCommand command) {
    const int widgets = CommandWidgets(command.Name);
    if (section_ == TFilerSection::Common) {
        blocks_.back().Widgets += widgets;
    } else if (section_ == TFilerSection::Edit) {
        if (std::string error = EditRoomFor(1, widgets); !error.empty()) return error;
        editWidgets_ += widgets;
    }
    CurrentList().push_back(std::move(command));
    return {};
}

std::string TFilerReader::EditRoomFor(std::size_t commands, int widgets) const {
    if (commands > MaxEditCommands - lists_[0]->size())
        return "編集部のコマンドが多すぎます. 共通ブロックの取り込みを含めて " +
               std::to_string(MaxEditCommands) + " 個までにして下さい.";
    if (widgets > MaxFilerWidgets - editWidgets_)
        return "画面の部品が多すぎます. ページ, 見出し, 入力欄などの部品は合わせて " +
               std::to_string(MaxFilerWidgets) + " 個までにして下さい.";
    return {};
}

TFilerCommands& TFilerReader::CurrentList() {
    if (section_ == TFilerSection::Common) return blocks_.back().Commands;
    return *lists_[static_cast<std::size_t>(section_)];
}

std::size_t TFilerReader::SkipBlanks(std::size_t at) const {
    while (at < text_.size() && IsBlank(text_[at]))
        ++at;
    return at;
}

std::size_t TFilerReader::FindCommentEnd(std::size_t at) const {
    for (; at < text_.size(); at += CharLength(text_, at))
        if (text_[at] == '}') return at;
    return std::string::npos;
}

std::size_t TFilerReader::FindWordEnd(std::size_t at) const {
    while (at < text_.size() && !EndsWord(text_[at]))
        at += CharLength(text_, at);
    return at;
}

std::int32_t TFilerReader::LineAt(std::size_t at) {
    lineFeeds_ += std::count(text_.begin() + static_cast<std::ptrdiff_t>(counted_),
                             text_.begin() + static_cast<std::ptrdiff_t>(at), '\n');
    counted_ = at;
    return static_cast<std::int32_t>(std::min<std::int64_t>(lineFeeds_ + 1, INT32_MAX));
}

TAnalyzeError TFilerReader::Failure(std::int32_t line, std::string message) {
    return {.IsError = true, .Line = line, .Message = std::move(message)};
}

} // namespace

TAnalyzeError AnalyzeFilerText(std::string_view bytes, TFilerCommands& initialize,
                               TFilerCommands& edit, TFilerCommands& finalize) {
    initialize.clear();
    edit.clear();
    finalize.clear();
    return TFilerReader(bytes, {&edit, &initialize, &finalize}).Read();
}

TAnalyzeError AnalyzeFiler(const std::string& fileName, TFilerCommands& initialize,
                           TFilerCommands& edit, TFilerCommands& finalize) {
    initialize.clear();
    edit.clear();
    finalize.clear();
    std::string bytes;
    if (const int error = ReadFileStart(fileName, MaxFilerBytes, bytes); error != 0) {
        TAnalyzeError unreadable;
        unreadable.FileError = error;
        return unreadable;
    }
    return AnalyzeFilerText(bytes, initialize, edit, finalize);
}

} // namespace mv
