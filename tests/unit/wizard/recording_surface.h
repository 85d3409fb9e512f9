// A control surface that keeps the state of every control of template 130,
// starting from the same table the resource script expands, so a test sees
// what the dialog would show.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "wizard/control_surface.h"
#include "wizard/wizard_controls.h"

namespace wizard_test {

struct ControlState {
  bool visible = false;
  bool enabled = true;
  std::string text;
  bool checked = false;
  int progress = 0;
  std::optional<std::uint32_t> backColor;
  std::string image;  // the last path loaded into a picture
};

class RecordingSurface : public wizard::ControlSurface {
 public:
  RecordingSurface() {
#define WIZARD_TEST_CONTROL(id, kind, text, x, y, width, height, visible, enabled, tabstop) \
  controls_[id] = ControlState{visible != 0, enabled != 0, text, false, 0, std::nullopt, {}};
    WIZARD_CONTROLS(WIZARD_TEST_CONTROL)
#undef WIZARD_TEST_CONTROL
  }

  void Show(int id, bool visible) override { At(id).visible = visible; }
  void Enable(int id, bool enabled) override { At(id).enabled = enabled; }
  void SetText(int id, const std::string& text) override {
    At(id).text = text;
    textHistory[id].push_back(text);
  }
  std::string GetText(int id) override { return At(id).text; }
  void SetCheck(int id, bool checked) override { At(id).checked = checked; }
  bool GetCheck(int id) override { return At(id).checked; }
  void SetProgress(int id, int position) override {
    At(id).progress = position;
    if (onProgress) onProgress(position);
  }
  void SetBackColor(int id, std::uint32_t rgb) override { At(id).backColor = rgb; }
  bool LoadImageFile(int id, const std::string& path) override {
    At(id).image = path;
    return imagesLoad;
  }
  void SetCaption(const std::string& text) override { caption = text; }
  void FitNoticeLabel() override { fittedNotice.push_back(At(1039).text); }
  void GreyCloseCommand() override { closeGreyed = true; }
  void EndWizard(wizard::DialogResult result) override { endResult = result; }

  // What the user does with a check box: it toggles itself before the
  // dialog hears of the click.
  void ClickCheckBox(int id) { At(id).checked = !At(id).checked; }

  const ControlState& operator[](int id) { return At(id); }
  const std::map<int, ControlState>& Controls() const { return controls_; }

  std::string caption;
  std::vector<std::string> fittedNotice;
  bool closeGreyed = false;
  std::optional<wizard::DialogResult> endResult;
  bool imagesLoad = true;
  std::map<int, std::vector<std::string>> textHistory;
  // Called at every progress position, while the installing step runs.
  std::function<void(int)> onProgress;

 private:
  ControlState& At(int id) {
    const auto found = controls_.find(id);
    if (found == controls_.end()) {
      ADD_FAILURE() << "control " << id << " is not in template 130";
      return unknown_;
    }
    return found->second;
  }

  std::map<int, ControlState> controls_;
  ControlState unknown_;
};

}  // namespace wizard_test
