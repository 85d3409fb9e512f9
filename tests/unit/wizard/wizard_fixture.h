// A wizard over a recording surface on the simulated machine, with the Quill
// Writer payload staged, and the page layouts it must show.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "quill_writer_script.h"
#include "recording_surface.h"
#include "wizard/install_wizard.h"
#include "wizard/wizard_controls.h"

namespace wizard_test {

using wizard::Page;
inline constexpr Page kWelcome = Page::kWelcome;
inline constexpr Page kLicence = Page::kLicence;
inline constexpr Page kDestination = Page::kDestination;
inline constexpr Page kInstalling = Page::kInstalling;
inline constexpr Page kFinish = Page::kFinish;

// A control's text in template 130.
inline std::string TemplateText(int id) {
#define WIZARD_TEST_TEXT(controlId, kind, text, ...) \
  if (controlId == id) return text;
  WIZARD_CONTROLS(WIZARD_TEST_TEXT)
#undef WIZARD_TEST_TEXT
  return {};
}

// Every control in the state the wizard's page table gives it on the page:
// shown and enabled, shown and disabled, or hidden; the Next caption, and
// the header title where the page shows it.
inline void ExpectLayout(const std::map<int, ControlState>& controls, Page page) {
  static const char* const kNames[] = {"welcome", "licence", "destination", "installing", "finish"};
  const char* name = kNames[static_cast<int>(page)];
  const wizard::PageRow& row = wizard::CInstallWizard::kPages[static_cast<int>(page)];
  for (const auto& [id, state] : controls) {
    SCOPED_TRACE(std::string(name) + " page, control " + std::to_string(id));
    const bool shown = row.shown.Has(id);
    EXPECT_EQ(state.visible, shown);
    if (shown) {
      EXPECT_EQ(state.enabled, !row.disabled.Has(id));
    }
  }
  EXPECT_EQ(controls.at(1002).text, row.nextCaption) << name;
  if (row.shown.Has(1033)) {
    // A title that the page keeps is the template's on a first visit.
    EXPECT_EQ(controls.at(1033).text,
              row.headerTitle != nullptr ? row.headerTitle : TemplateText(1033))
        << name;
  }
}

class WizardTest : public ::testing::Test {
 protected:
  std::string Staging() { return sim.files.TempFolder() + "$ddinstall\\"; }

  // Stages the payload, then opens the wizard on its welcome page.
  void Start(const ScriptOptions& options = {}) {
    StagePayload(options);
    Open();
  }
  void StagePayload(const ScriptOptions& options) {
    sim.WriteFile(Staging() + "log_file.txt", QuillWriterScript(options));
    for (const char* name : {"writer.exe", "writer.cfg", "top.bmp", "side.bmp", "UnInstaller.exe",
                             "Remove Uninstaller.exe"}) {
      sim.WriteFile(Staging() + name, std::string("bytes of ") + name);
    }
    sim.WriteFile(Staging() + "licence.lic", "Terms\r\n\r\nMore terms\r\n");
  }
  void Open() {
    wizard = std::make_unique<wizard::CInstallWizard>(surface, sim.Get(), runOptions,
                                                      "%TempDir%\\top.bmp", "%TempDir%\\side.bmp");
    wizard->OnInitDialog();
  }
  void Accept() {
    surface.ClickCheckBox(1007);
    wizard->OnAcceptClicked();
  }
  bool StagedFilesLeft() {
    for (const platform::FolderEntry& entry : sim.files.ListFolder(Staging())) {
      if (!entry.isFolder) return true;
    }
    return false;
  }
  int CurrentPage() const { return wizard->CurrentPage(); }

  sim::SimPlatform sim;
  RecordingSurface surface;
  // The run's options the wizard reads; they outlive it.
  install::RunOptions runOptions;
  std::unique_ptr<wizard::CInstallWizard> wizard;
};

inline constexpr const char* kDefaultFolder = "C:\\Program Files\\Acme\\Quill Writer";

}  // namespace wizard_test
