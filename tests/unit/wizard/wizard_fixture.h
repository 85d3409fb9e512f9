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

namespace wizard_test {

enum Page { kWelcome, kLicence, kDestination, kInstalling, kFinish };

// Per control, its state on each page in order: V shown and enabled,
// D shown and disabled, - hidden.
struct LayoutRow {
  std::vector<int> ids;
  const char* states;
};

inline const LayoutRow kPageLayouts[] = {
    {{1014}, "V---V"},
    {{1019, 1034, 1033}, "-VVV-"},
    {{1039, 1040}, "-VVV-"},
    {{1023, 1024, 1025}, "V----"},
    {{1005, 1006, 1007}, "-V---"},
    {{1008, 1011, 1012, 1013, 1015, 1016, 1017}, "--V--"},
    {{1009}, "--D--"},
    {{1001}, "--V--"},
    {{1020}, "---V-"},
    {{1030, 1031, 1032}, "----V"},
    {{1029}, "----V"},
    {{1000}, "DVVD-"},
    {{1002}, "VDVDV"},  // licence: before the box is checked
    {{1027}, "VVVDD"},
    {{1018, 1021, 1026, 1035, 1038}, "-----"},  // never shown
};

inline void ExpectLayout(const std::map<int, ControlState>& controls, Page page) {
  static const char* const kNames[] = {"welcome", "licence", "destination", "installing", "finish"};
  for (const LayoutRow& row : kPageLayouts) {
    const char want = row.states[page];
    for (const int id : row.ids) {
      const ControlState& state = controls.at(id);
      SCOPED_TRACE(std::string(kNames[page]) + " page, control " + std::to_string(id));
      EXPECT_EQ(state.visible, want != '-');
      if (want != '-') {
        EXPECT_EQ(state.enabled, want == 'V');
      }
    }
  }
  static const char* const kNextCaptions[] = {"Next", "Accept", "Next", "Next", "Finish"};
  EXPECT_EQ(controls.at(1002).text, kNextCaptions[page]) << kNames[page];
  static const char* const kHeaderTitles[] = {nullptr, "\n\n\tLicense Agreement",
                                              "\n\n\tInstallation Location", "\n\n\tInstalling...",
                                              nullptr};
  if (kHeaderTitles[page] != nullptr) {
    EXPECT_EQ(controls.at(1033).text, kHeaderTitles[page]) << kNames[page];
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
