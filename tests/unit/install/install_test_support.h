// A simulated machine with a staged payload, a stand-in for the wizard's
// values and a page that records what the installing step shows.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "base/text_trim.h"
#include "install/installing_step.h"
#include "platform/sim/sim_platform.h"
#include "sample_script.h"
#include "script/path_variables.h"
#include "script/script_reader.h"

namespace install_test {

inline constexpr const char* kInstallPath = "C:\\Program Files\\Acme\\Quill Writer";

// The sample's script as the building tool writes it, CR LF line ends.
inline std::string QuillWriterScript() { return sample_test::SampleScript(); }

// Lines each followed by CR LF.
inline std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// A script with the Quill Writer header and the given sections after it.
inline std::string Script(std::initializer_list<std::string> sections) {
  std::string text = Lines({"Quill Writer", "%ProductName% %ProductVersion% Installation Wizard",
                            "2.0", "Acme", "-N-A-"});
  for (const std::string& section : sections) text += section;
  return text;
}

// The sections the uninstall log needs: the general lines and the removal paths.
inline std::string UninstallSections(std::initializer_list<std::string> removalPaths = {}) {
  std::string text = Lines({"[uninst_gene]", "Uninstalling %ProductName% ...", "-NA-",
                            "[/uninst_gene]", "[uninst_fls]"});
  for (const std::string& path : removalPaths) text += path + "\r\n";
  return text + Lines({"[/uninst_fls]"});
}

// The wizard's share of the path variables; InstallPath is the path box.
class TestWizard : public script::WizardValues {
 public:
  std::string productName = "Quill Writer";
  std::string productVersion = "2.0";
  std::string companyName = "Acme";
  std::string installPath = kInstallPath;

  std::string ProductName() override { return TrimEnd(productName); }
  std::string ProductVersion() override { return TrimEnd(productVersion); }
  std::string CompanyName() override { return TrimEnd(companyName); }
  std::string InstallPath() override { return installPath; }

 private:
  static std::string TrimEnd(std::string& field) {
    field = base::TrimmedEnd(field);
    return field;
  }
};

class RecordingPage : public install::InstallingPage {
 public:
  void DisableBack() override { backDisabled = true; }
  void ShowProgress(int percent) override {
    if (onProgress) onProgress(percent);
    progress.push_back(percent);
  }

  bool backDisabled = false;
  std::vector<int> progress;
  std::function<void(int percent)> onProgress;
};

using Bytes = std::vector<std::uint8_t>;

inline Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }
inline Bytes StringValue(const std::string& text) {
  Bytes bytes = BytesOf(text);
  bytes.push_back(0);
  return bytes;
}

class InstallTest : public ::testing::Test {
 protected:
  std::string Staging() { return script::StagingFolder(sim.files); }

  void StageScript(const std::string& script) {
    ASSERT_TRUE(sim.WriteFile(script::ScriptPath(sim.files), script));
  }
  void StageFile(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(sim.WriteFile(Staging() + name, bytes));
  }
  // The payload the Quill Writer script installs.
  void StageQuillWriter() {
    StageScript(QuillWriterScript());
    for (const char* name : {"writer.exe", "writer.cfg", "UnInstaller.exe",
                             "Remove Uninstaller.exe", "top.bmp", "side.bmp"}) {
      StageFile(name, std::string("bytes of ") + name);
    }
  }

  // Runs the step with the path box showing installPath.
  void Install(const std::string& installPath = kInstallPath) {
    wizard.installPath = installPath;
    install::InstallRequest request;
    request.installPath = installPath;
    request.productName = wizard.productName;
    install::RunOptions options;
    options.allUsers = linksForAllUsers;
    options.scope = scope;
    script::PathExpander scoped = Expander();
    install::RunInstallingStep(host, scoped, page, options, request, programGroup);
  }

  // The path variables as the run's scope has them.
  script::PathExpander Expander() { return {wizard, sim.registry, sim.machine, sim.files, scope}; }

  std::string LogPath() { return wizard.installPath + "\\Uninstallerpathtn.ini"; }
  std::string Log() { return sim.ReadFile(LogPath()).value_or("<no log>"); }

  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const sim::RecordedMessage& message : sim.messages.shown) {
      EXPECT_EQ(message.kind, platform::MessageKind::Warning) << message.text;
      texts.push_back(message.text);
    }
    return texts;
  }

  std::optional<sim::RegistryValue> Value(platform::RegistryRoot root, const std::string& key,
                                          const std::string& name) {
    return sim.registry.Find(root, key, name);
  }

  sim::SimPlatform sim;
  platform::Platform host = sim.Get();
  TestWizard wizard;
  script::PathExpander expander{wizard, sim.registry, sim.machine, sim.files};
  RecordingPage page;
  std::string programGroup;
  bool linksForAllUsers = false;
  format::InstallScope scope = format::InstallScope::Machine;
};

// Shell folders of the simulated machine.
inline constexpr const char* kDesktopFolder = "C:\\users\\tester\\Desktop";
inline constexpr const char* kStartMenuFolder =
    "C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu";
inline constexpr const char* kProgramsFolder =
    "C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
inline constexpr const char* kQuickLaunchFolder =
    "C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch";

}  // namespace install_test
