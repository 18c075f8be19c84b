#include "core/filer/filer_runner.h"

#include "core/filer/field_data.h"
#include "core/filer/filer_number.h"
#include "core/host/host_services.h"

#include <vector>

namespace mv {
namespace {

std::int64_t Parameter(const TFilerCommand& command, std::size_t index) {
    if (index >= command.Parameters.size()) return -1;
    return ToInteger(command.Parameters[index]).value_or(-1);
}

// All of [address, address + size) lies inside the data.
bool Fits(const TFilerTarget& target, std::int64_t address, std::int64_t size) {
    return address >= 0 && size >= 0 && target.Size() - address >= size;
}

// The pattern repeated until it fills whole bytes, as those bytes.
std::vector<Byte> PatternBytes(std::string_view pattern, bool binary) {
    const std::size_t digitsPerByte = binary ? 8 : 2;
    std::string digits(pattern);
    while (digits.size() % digitsPerByte != 0)
        digits += pattern;
    std::vector<Byte> bytes;
    for (std::size_t at = 0; at < digits.size(); at += digitsPerByte) {
        unsigned value = 0;
        for (std::size_t i = 0; i < digitsPerByte; ++i) {
            const char c = digits[at + i];
            if (binary)
                value = (value << 1) | (c == '1' ? 1u : 0u);
            else if (c >= '0' && c <= '9')
                value = (value << 4) | unsigned(c - '0');
            else if (c >= 'A' && c <= 'F')
                value = (value << 4) | unsigned(c - 'A' + 10);
            else if (c >= 'a' && c <= 'f')
                value = (value << 4) | unsigned(c - 'a' + 10);
            else
                value <<= 4;
        }
        bytes.push_back(static_cast<Byte>(value));
    }
    return bytes;
}

std::string WritePattern(const TFilerCommand& command, const TFilerRunState& state,
                         TFilerTarget& target, bool binary) {
    const std::int64_t address = state.Base + Parameter(command, 0);
    const std::int64_t size = Parameter(command, 1);
    if (!Fits(target, address, size))
        return "書き込むビットパターンの範囲がファイル終端を越えています.";
    const std::string_view pattern =
        command.Parameters.size() > 2 ? std::string_view(command.Parameters[2]) : "";
    if (pattern.empty()) return "パターンに空の文字列を指定することは出来ません.";
    const std::vector<Byte> unit = PatternBytes(pattern, binary);
    std::vector<Byte> bytes(static_cast<std::size_t>(size));
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = unit[i % unit.size()];
    target.OverwriteInPlace(bytes, static_cast<Address>(address));
    return {};
}

std::string Copy(const TFilerCommand& command, const TFilerRunState& state, TFilerTarget& target) {
    const std::int64_t source = state.Base + Parameter(command, 0);
    const std::int64_t destination = state.Base + Parameter(command, 1);
    const std::int64_t size = Parameter(command, 2);
    if (!Fits(target, source, size)) return "コピー元データの範囲がファイル終端を越えています.";
    if (!Fits(target, destination, size))
        return "コピー先データの範囲がファイル終端を越えています.";
    std::vector<Byte> bytes(static_cast<std::size_t>(size));
    target.ReadBytes(bytes, static_cast<Address>(source));
    target.OverwriteInPlace(bytes, static_cast<Address>(destination));
    return {};
}

std::string Clear(const TFilerCommand& command, const TFilerRunState& state, TFilerTarget& target) {
    const std::int64_t address = state.Base + Parameter(command, 0);
    const std::int64_t size = Parameter(command, 1);
    if (!Fits(target, address, size)) return "クリアする範囲がファイル終端を越えています.";
    const std::vector<Byte> bytes(static_cast<std::size_t>(size),
                                  static_cast<Byte>(Parameter(command, 2)));
    target.OverwriteInPlace(bytes, static_cast<Address>(address));
    return {};
}

} // namespace

std::string ExecuteFilerCommand(const TFilerCommand& command, TFilerRunState& state,
                                TFilerTarget& target) {
    const std::string_view name = command.Name;
    const std::int64_t address = state.Base + Parameter(command, 0);
    if (name == "SEGMENT") {
        state.Base = Parameter(command, 0);
    } else if (name == "BIGENDIAN" || name == "LITTLEENDIAN") {
        state.BigEndian = name == "BIGENDIAN";
    } else if (name == "CLEAR") {
        return Clear(command, state, target);
    } else if (name == "COPY") {
        return Copy(command, state, target);
    } else if (name == "WRITEPATTERNBIN" || name == "WRITEPATTERNHEX") {
        return WritePattern(command, state, target, name == "WRITEPATTERNBIN");
    } else if (name == "WRITEINTEGER") {
        const std::int64_t width = Parameter(command, 1);
        if (!Fits(target, address, width))
            return "書き込む整数値の位置がファイル終端を越えています.";
        WriteFieldInteger(target, address, static_cast<std::int32_t>(width), state.BigEndian,
                          static_cast<std::int32_t>(Parameter(command, 2)));
    } else if (name == "WRITEBIT") {
        if (!Fits(target, address, 1)) return "書き込むビット値の位置がファイル終端を越えています.";
        WriteFieldBit(target, address, static_cast<int>(Parameter(command, 1)),
                      Parameter(command, 2) != 0);
    } else if (name == "WRITESTRING") {
        const std::int64_t length = Parameter(command, 1);
        if (!Fits(target, address, length))
            return "書き込む文字列値の位置がファイル終端を越えています.";
        const std::string_view text =
            command.Parameters.size() > 2 ? std::string_view(command.Parameters[2]) : "";
        WriteFieldText(target, address, static_cast<std::int32_t>(length), text,
                       static_cast<Byte>(Parameter(command, 3)));
    }
    return {};
}

void RunFilerCommands(const TFilerCommands& commands, TFilerTarget& target, THostServices& host) {
    TFilerRunState state;
    for (const TFilerCommand& command : commands) {
        const std::string error = ExecuteFilerCommand(command, state, target);
        if (error.empty()) continue;
        const std::string question =
            "エラーが発生しまたした.\r\n\r\n" + error + "\r\n\r\nこのまま処理を強行しますか？";
        // Only an explicit Yes forces the run on; a dialog closed otherwise stops it.
        if (host.MessageDlgBeep(question, TMsgDlgType::mtWarning,
                                {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mrYes)
            return;
    }
}

} // namespace mv
