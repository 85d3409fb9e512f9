// The wizard's controls without a window: the texts and checks that the page
// logic sets and reads back, so that a silent run walks the same pages as the
// interactive one. The installing progress goes to a
// listener (the progress display of /SILENT).
#pragma once

#include <optional>
#include <string>

#include "base/function_ref.h"
#include "wizard/control_surface.h"

namespace unattended {

class HeadlessSurface final : public wizard::ControlSurface {
 public:
  using ProgressListener = base::FunctionRef<void(int percent)>;
  // The listener's callable must outlive the surface: both live for one
  // silent installation, the callable in its caller's frame.
  explicit HeadlessSurface(ProgressListener progress) : progress_(progress) {}

  void Show(int, bool) override {}
  void Enable(int, bool) override {}
  void SetText(int id, const std::string& text) override { At(id).text = text; }
  std::string GetText(int id) override { return At(id).text; }
  void SetCheck(int id, bool checked) override { At(id).checked = checked; }
  bool GetCheck(int id) override { return At(id).checked; }
  void SetProgress(int, int position) override {
    if (progress_) progress_(position);
  }
  void SetBackColor(int, std::uint32_t) override {}
  bool LoadImageFile(int, const std::string&) override { return false; }
  void SetCaption(const std::string&) override {}
  void FitNoticeLabel() override {}
  void GreyCloseCommand() override {}
  void EndWizard(wizard::DialogResult result) override { ended = result; }

  // How the wizard ended; empty until EndWizard.
  std::optional<wizard::DialogResult> ended;

 private:
  struct Control {
    std::string text;
    bool checked = false;
  };
  // The template's ids run from 1000 to 1040; any other id shares the last
  // slot, which nothing reads.
  static constexpr int kFirstId = 1000;
  static constexpr int kSlots = 42;
  Control& At(int id) {
    const int slot = id - kFirstId;
    return controls_[slot >= 0 && slot < kSlots - 1 ? slot : kSlots - 1];
  }

  Control controls_[kSlots];
  ProgressListener progress_;
};

}  // namespace unattended
