#pragma once

#include "core/filer/field_model.h"
#include "core/filer/filer_analyzer.h"
#include "core/filer/filer_session.h"
#include "core/filer/filer_target.h"
#include "core/typedvalues/sjis_utf8.h"

#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace mv::test {

using Bytes = std::vector<Byte>;

// Document data in a vector; it logs the undo-step closings and writes so that tests can
// see how a run groups its changes.
class TVectorTarget final : public TFilerTarget {
public:
    explicit TVectorTarget(std::vector<Byte> bytes = {}) : Bytes(std::move(bytes)) {}

    [[nodiscard]] Address Size() const override { return static_cast<Address>(Bytes.size()); }
    void ReadBytes(std::span<Byte> dest, Address address) const override {
        for (std::size_t i = 0; i < dest.size(); ++i) {
            const std::size_t at = static_cast<std::size_t>(address) + i;
            dest[i] = at < Bytes.size() ? Bytes[at] : 0;
        }
    }
    bool OverwriteInPlace(std::span<const Byte> bytes, Address address) override {
        Log.push_back("write " + std::to_string(address) + "+" + std::to_string(bytes.size()));
        std::ranges::copy(bytes, Bytes.begin() + address);
        return true;
    }
    void CloseUndoStep() override { Log.emplace_back("close"); }
    [[nodiscard]] bool ViewOnly() const override { return false; }

    std::vector<Byte> Bytes;
    std::vector<std::string> Log;
};

// What a piece of work cost: its time and how much the process's resident memory grew.
struct TSpent {
    double Seconds = 0;
    std::int64_t ResidentGrowth = 0;
};

inline std::int64_t ResidentBytes() {
    std::int64_t size = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

template <class TWork> TSpent Spend(TWork&& work) {
    const std::int64_t before = ResidentBytes();
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return {took.count(), ResidentBytes() - before};
}

// Every byte of a text measures 10 pixels; the other measures are the page's own.
inline TFilerMetrics TenPixelMetrics() {
    TFilerMetrics metrics;
    metrics.TextWidth = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
    return metrics;
}

struct TParsed {
    TAnalyzeError Result;
    TFilerCommands Initialize, Edit, Finalize;
};

inline TParsed ParseShiftJis(std::string_view bytes) {
    TParsed p;
    p.Result = AnalyzeFilerText(bytes, p.Initialize, p.Edit, p.Finalize);
    return p;
}

// Test texts are written in UTF-8 and handed over as the Shift JIS of a filer file.
inline TParsed Parse(std::string_view utf8) {
    return ParseShiftJis(Utf8ToShiftJis(utf8));
}

// A filer loaded on a document as the tool window loads it, with its fields found by position.
// Any question of a run fails the test.
class TFilerTool {
public:
    TFilerTool(std::string_view shiftJisFiler, Bytes document) : Target(std::move(document)) {
        EXPECT_EQ(Session.LoadText(shiftJisFiler, "test.MVF", TenPixelMetrics()), "");
        Read();
    }

    void Read() { Session.Read(Target, host_); }
    // Applies and answers the writes it made.
    std::vector<std::string> Apply() {
        Target.Log.clear();
        EXPECT_TRUE(Session.Apply(Target, host_));
        return Target.Log;
    }

    // A field by its position among all fields of all pages.
    template <class T = TFieldModel> T& Field(std::size_t index) {
        std::vector<TFieldModel*> fields;
        for (const TFilerSessionPage& page : Session.Pages())
            for (const auto& field : page.Fields)
                if (field) fields.push_back(field.get());
        return dynamic_cast<T&>(*fields.at(index));
    }

    TVectorTarget Target;
    TFilerSession Session;

private:
    TScriptedHost host_;
};

} // namespace mv::test
