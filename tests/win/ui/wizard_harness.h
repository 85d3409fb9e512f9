// Runs the wizard's window for real with a scripted page logic: the test's
// steps run inside OnInitDialog and, once the window is on screen, from a
// thread timer; every event the window reports is logged.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/wizard_window/wizard_events.h"
#include "app/wizard_window/wizard_window.h"

namespace ui_tests {

class ScriptedWizard final : public wizard_window::WizardEvents {
 public:
  // Runs `atInit` in OnInitDialog and `whenShown` once the window shows;
  // the wizard then ends with Ok unless a step ended it already. Without a
  // `whenShown` it ends before it is ever shown, which is quicker: hiding a
  // shown window waits for a window manager that Xvfb does not have. Returns
  // what the modal run returned.
  INT_PTR Run(wizard_window::WizardWindow& window, std::function<void()> atInit,
              std::function<void()> whenShown = {});

  void OnInitDialog() override;
  void OnNext() override { log.push_back("next"); }
  void OnBack() override { log.push_back("back"); }
  void OnAcceptClicked() override { log.push_back("accept"); }
  void OnBrowse() override { log.push_back("browse"); }
  void OnPathChanged() override { log.push_back("path"); }
  void OnCloseRequested() override { log.push_back("close"); }

  std::vector<std::string> log;
  // False for a script that ends the wizard itself.
  bool endWhenDone = true;

 private:
  static void CALLBACK AfterShown(HWND, UINT, UINT_PTR timer, DWORD);

  wizard_window::WizardWindow* window_ = nullptr;
  std::function<void()> atInit_;
  std::function<void()> whenShown_;
};

// The harness sets SETUPKIT_GUI_TESTS=1 when there is a display (Xvfb).
bool GuiTestsEnabled();

// A file in the temporary folder, removed with the object.
class TempFile {
 public:
  TempFile(const std::string& name, const std::string& bytes);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A 24-bit BMP file of width x height whose left half is `left` and right
// half `right`.
std::string TwoColourBitmap(int width, int height, COLORREF left, COLORREF right);

}  // namespace ui_tests
