// The Quill Writer product installed on the simulated machine by the real
// installing step, and an uninstaller run over it with recorded boxes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../install/install_test_support.h"
#include "install/uninstall_log.h"
#include "package/payload_checksum.h"
#include "package/sha256/sha256.h"
#include "install/uninstall_registration.h"
#include "uninstall/uninstaller.h"
#include "format/uninstall_key.h"

namespace uninstall_test {

using install_test::kInstallPath;

struct RecordedBox {
  std::string kind;  // "confirm", "inform", "fail"
  std::string caption;
  std::string text;
};

class RecordingPrompts : public uninstall::Prompts {
 public:
  bool Confirm(const std::string& caption, const std::string& text) override {
    boxes.push_back({"confirm", caption, text});
    return answer;
  }
  void Inform(const std::string& caption, const std::string& text) override {
    boxes.push_back({"inform", caption, text});
  }
  void Fail(const std::string& caption, const std::string& text) override {
    boxes.push_back({"fail", caption, text});
  }

  bool answer = true;
  std::vector<RecordedBox> boxes;
};

class RecordingRemoverStart : public uninstall::RemoverStart {
 public:
  bool Start(const std::string& folder, unsigned createdAbove) override {
    started.push_back(folder);
    createdAboveStarted.push_back(createdAbove);
    return works;
  }
  bool works = true;
  std::vector<std::string> started;
  std::vector<unsigned> createdAboveStarted;
};

// The sample's script, whose removal list names every file it installs.
inline std::string QuillWriterScriptRemovingAll() {
  const std::string script = install_test::QuillWriterScript();
  for (const char* line : {"%InstallPath%\\writer.exe\r\n", "%InstallPath%\\Data\\writer.cfg\r\n",
                           "%InstallPath%\\Data\\settings.ini\r\n", "%InstallPath%\\Data\\\r\n"}) {
    EXPECT_NE(script.find(line), std::string::npos) << line;
  }
  return script;
}

class UninstallTest : public install_test::InstallTest {
 protected:
  void InstallQuillWriter() {
    StageQuillWriter();
    StageScript(QuillWriterScriptRemovingAll());
    Install();
  }

  int Uninstall(bool silent = false) {
    return uninstall::RunUninstaller(uninstallerHost, prompts, remover, {kInstallPath, silent});
  }

  bool Exists(const std::string& path) { return sim.files.Exists(path); }

  // A log as if the installing step had written it: its digest recorded in
  // the uninstall key, so a test of what the uninstaller does with a log's
  // lines gets past the check that the log is the one installed.
  void WriteRecordedLog(const std::string& text) {
    ASSERT_TRUE(sim.WriteFile(LogPath(), text));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::string digest = package::DigestText(package::Sha256Of({bytes, text.size()}));
    install::WriteStringValue(sim.registry, format::UninstallKey("Quill Writer"),
                              format::kUninstallLogDigest, digest);
  }

  platform::UninstallerPlatform uninstallerHost = sim.ForUninstaller();
  RecordingPrompts prompts;
  RecordingRemoverStart remover;
};

}  // namespace uninstall_test
