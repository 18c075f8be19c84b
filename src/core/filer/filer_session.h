#pragma once

#include "core/filer/field_model.h"
#include "core/filer/filer_command.h"
#include "core/filer/filer_layout.h"
#include "core/filer/filer_page_place.h"
#include "core/filer/filer_target.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

class THostServices;

// One page of a loaded filer: its rows, where they stand, and for each row the model of its
// editor (nullptr for labels, rules and message areas).
struct TFilerSessionPage {
    std::string Name; // Shift JIS
    std::vector<TFilerItem> Items;
    TFilerPagePlace Place;
    std::vector<std::unique_ptr<TFieldModel>> Fields;
};

// The filer loaded into a filer tool window, without its widgets: the command lists, the
// pages with their field models, the caption, the page shown and the modified flag.
class TFilerSession {
public:
    // Parses the file and lays its pages out in the measures of the window's controls. On
    // success it replaces the commands and the pages, takes the caption when the filer has a
    // TITLE and shows the first page. A filer that cannot be read, has an error, or passes a
    // bound of filer_bounds.h (a page taller than a widget can be included) changes nothing,
    // and the answer is the text of the error box (UTF-8); empty on success.
    std::string Load(const std::string& fileName, const TFilerMetrics& metrics);
    // The same on a filer's text (Shift JIS); `fileName` names it in the message.
    std::string LoadText(std::string_view shiftJis, const std::string& fileName,
                         const TFilerMetrics& metrics);

    [[nodiscard]] const std::vector<TFilerSessionPage>& Pages() const { return pages_; }
    // "(no title) - ファイラーツール" until a filer with a TITLE is loaded (UTF-8).
    [[nodiscard]] std::string Caption() const;

    // Fills every field from the data, after the initialization run outside view-only mode,
    // and clears the modified flag; nothing without pages. Answers how many fields lie wholly
    // or partly past the end of the data.
    int Read(TFilerTarget& target, THostServices& host);
    // The first field (in page order) holding input that it refused, or nullptr.
    [[nodiscard]] const TFieldModel* RefusedField() const;
    // Writes every field, then runs the finalization list, as one undo step, and clears the
    // modified flag. Writes nothing and answers false without pages, in view-only mode, and
    // while a field holds refused input.
    bool Apply(TFilerTarget& target, THostServices& host);

    [[nodiscard]] bool Modified() const { return modified_; }
    void SetModified() { modified_ = true; }

    // The page shown, -1 without pages. An index outside the pages is ignored.
    [[nodiscard]] int SelectedPage() const { return selected_; }
    void SelectPage(int index);
    [[nodiscard]] bool CanSelectPrevious() const { return selected_ > 0; }
    [[nodiscard]] bool CanSelectNext() const;

private:
    [[nodiscard]] std::vector<TFilerField*> Fields() const;

    TFilerCommands initialize_;
    TFilerCommands finalize_;
    std::vector<TFilerSessionPage> pages_;
    std::string title_ = "(no title)"; // UTF-8
    bool modified_ = false;
    int selected_ = -1;
};

} // namespace mv
