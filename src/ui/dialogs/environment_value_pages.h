#pragma once

class QWidget;

namespace mv {

class TEnvironmentOptions;

// The four pages of plain values of the environment options: "一般", "編集", "表示" and
// "ウィンドウ". Each control starts from the options' copy and writes every change of the
// user back into it.
[[nodiscard]] QWidget* BuildGeneralPage(TEnvironmentOptions& options);
[[nodiscard]] QWidget* BuildEditPage(TEnvironmentOptions& options);
[[nodiscard]] QWidget* BuildViewPage(TEnvironmentOptions& options);
[[nodiscard]] QWidget* BuildWindowPage(TEnvironmentOptions& options);

} // namespace mv
