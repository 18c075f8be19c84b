#pragma once

#include "core/filer/field_model.h"
#include "core/filer/filer_analyzer.h"
#include "core/filer/filer_field.h"
#include "core/filer/filer_layout.h"
#include "core/filer/filer_target.h"
#include "core/typedvalues/sjis_utf8.h"

#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

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

// A loaded filer as the tool window holds it: the models of its editing rows, read from
// the document. Any question of a run fails the test.
class TFilerTool {
public:
    TFilerTool(std::string_view shiftJisFiler, Bytes document)
        : Target(std::move(document)), filer_(ParseShiftJis(shiftJisFiler)) {
        EXPECT_FALSE(filer_.Result.IsError)
            << "line " << filer_.Result.Line << ": " << filer_.Result.Message;
        for (const TFilerPage& page : BuildFilerLayout(filer_.Edit).Pages)
            for (const TFilerItem& item : page.Items)
                if (auto model = MakeFieldModel(item)) {
                    names_.push_back(ShiftJisToUtf8(page.Name + "/" + item.Caption));
                    Fields.push_back(std::move(model));
                }
        Read();
    }

    void Read() { ReadFilerFields(Target, host_, filer_.Initialize, Pointers()); }
    // Applies and answers the writes it made.
    std::vector<std::string> Apply() {
        Target.Log.clear();
        EXPECT_TRUE(WriteFilerFields(Target, host_, filer_.Finalize, Pointers()));
        return Target.Log;
    }

    // A field by its position, or by "page/caption" in UTF-8.
    template <class T = TFieldModel> T& Field(std::size_t index) {
        return dynamic_cast<T&>(*Fields.at(index));
    }
    template <class T = TFieldModel> T& Field(const std::string& name) {
        const auto found = std::ranges::find(names_, name);
        EXPECT_NE(found, names_.end()) << name;
        return Field<T>(static_cast<std::size_t>(found - names_.begin()));
    }

    TVectorTarget Target;
    std::vector<std::unique_ptr<TFieldModel>> Fields;

private:
    std::vector<TFilerField*> Pointers() {
        std::vector<TFilerField*> pointers;
        for (const auto& field : Fields)
            pointers.push_back(field.get());
        return pointers;
    }

    TParsed filer_;
    TScriptedHost host_;
    std::vector<std::string> names_;
};

} // namespace mv::test
