// The filer parser on any bytes, then what the program does with a parse that succeeds:
// the layout of its pages and the runs of its write commands against a small document.
// Beyond not crashing: an error has a message and a line inside the text; a success holds
// only known commands, in sections that allow them, with enough parameters and integers in
// canonical decimal; and no write command reaches outside the document.
#include "core/filer/filer_analyzer.h"
#include "core/filer/filer_command_table.h"
#include "core/filer/filer_define.h"
#include "core/filer/filer_layout.h"
#include "core/filer/filer_number.h"
#include "core/filer/filer_runner.h"
#include "core/filer/filer_target.h"
#include "core/host/host_services.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "filer_analyze_fuzz: %s\n", what);
    std::abort();
}

class TFuzzTarget final : public mv::TFilerTarget {
public:
    [[nodiscard]] mv::Address Size() const override {
        return static_cast<mv::Address>(bytes_.size());
    }
    void ReadBytes(std::span<mv::Byte> dest, mv::Address address) const override {
        Require(address >= 0 && static_cast<std::size_t>(address) + dest.size() <= bytes_.size(),
                "a read outside the document");
        std::copy_n(bytes_.begin() + address, dest.size(), dest.begin());
    }
    bool OverwriteInPlace(std::span<const mv::Byte> bytes, mv::Address address) override {
        Require(address >= 0 && static_cast<std::size_t>(address) + bytes.size() <= bytes_.size(),
                "a write outside the document");
        std::copy(bytes.begin(), bytes.end(), bytes_.begin() + address);
        return true;
    }
    void CloseUndoStep() override {}
    [[nodiscard]] bool ViewOnly() const override { return false; }

private:
    std::vector<mv::Byte> bytes_ = std::vector<mv::Byte>(64, 0);
};

// Says Yes to every question, so that a run goes through all its commands.
class TYesHost final : public mv::THostServices {
public:
    mv::TModalResult MessageDlgBeep(std::string_view, mv::TMsgDlgType,
                                    mv::TMsgDlgButtons) override {
        return mv::mrYes;
    }
    void Beep() override {}
    void MessageBox(std::string_view, std::string_view) override {}
};

void CheckCommands(const mv::TFilerCommands& commands, mv::TFilerSection section) {
    for (const mv::TFilerCommand& command : commands) {
        const mv::TCommandType* type = mv::FindFilerCommand(command.Name);
        Require(type != nullptr, "an unknown command stored");
        Require(type->AllowedIn(section), "a command stored in a section that refuses it");
        const auto count = static_cast<int>(command.Parameters.size());
        Require(mv::CheckParameterCount(*type, count) == mv::TParameterCount::Ok,
                "a command stored with a wrong parameter count");
        for (int position = 1; position <= count; ++position) {
            if (mv::ParameterType(*type, position) != 'I') continue;
            const std::string& stored = command.Parameters[static_cast<std::size_t>(position - 1)];
            const std::optional<std::int32_t> value = mv::ToInteger(stored);
            Require(value && std::to_string(*value) == stored,
                    "an integer parameter not stored in decimal");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    mv::TFilerDefine define;
    mv::ReadFilerDefineText(text, define);

    mv::TFilerCommands initialize, edit, finalize;
    const mv::TAnalyzeError result = mv::AnalyzeFilerText(text, initialize, edit, finalize);
    if (result.IsError) {
        // Line breaks only add lines (CR LF counts once), and the end lies one line past
        // the appended break.
        const auto breaks =
            std::count(text.begin(), text.end(), '\n') + std::count(text.begin(), text.end(), '\r');
        Require(!result.Message.empty(), "an error without a message");
        Require(result.Line >= 1 && result.Line <= breaks + 3, "an error line outside the text");
        return 0;
    }
    CheckCommands(initialize, mv::TFilerSection::Initialize);
    CheckCommands(edit, mv::TFilerSection::Edit);
    CheckCommands(finalize, mv::TFilerSection::Finalize);

    const mv::TFilerLayout layout = mv::BuildFilerLayout(edit);
    Require(layout.Pages.size() <= edit.size(), "more pages than commands");

    TFuzzTarget target;
    TYesHost host;
    mv::RunFilerCommands(initialize, target, host);
    mv::RunFilerCommands(finalize, target, host);
    return 0;
}
