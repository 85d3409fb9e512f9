// The Quill Writer setup script, with the lines the wizard tests vary.
#pragma once

#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace wizard_test {

struct ScriptOptions {
  std::string notice = "-N-A-";
  std::optional<std::string> licenceFlag = "0";  // nothing: no [lic] section
  std::string installPath = "%ProgramFiles%\\%CompanyName%\\%ProductName%";
  std::string lockFlag = "0";
  std::optional<std::string> launchFlag = "1";  // nothing: no [launch] section
};

inline std::string QuillWriterScript(const ScriptOptions& options = {}) {
  std::vector<std::string> lines = {
      "Quill Writer",
      "%ProductName% %ProductVersion% Installation Wizard",
      "2.0",
      "Acme",
      options.notice,
      "[fls]",
      "1",
      "Dir|%InstallPath%\\Data",
      "writer.exe|%InstallPath%\\writer.exe",
      "writer.cfg|%InstallPath%\\Data\\writer.cfg",
      "UnInstaller.exe|%InstallPath%\\UnInstaller.exe",
      "Remove Uninstaller.exe|%InstallPath%\\Remove Uninstaller.exe",
      "[/fls]",
  };
  if (options.licenceFlag) {
    lines.insert(lines.end(), {"[lic]", *options.licenceFlag, "C:\\Build\\licence.txt", "[/lic]"});
  }
  lines.insert(lines.end(), {
      "[inst_path]", options.installPath, options.lockFlag, "[/inst_path]",
      "[menu_grp]", "%ProductName%", "0", "[/menu_grp]",
      "[shrt]",
      "Desktop|%InstallPath%\\writer.exe|%ProductName%",
      "Program Group|%InstallPath%\\writer.exe|%ProductName%",
      "[/shrt]",
      "[regi]",
      "HKEY_CURRENT_USER|Software\\%CompanyName%\\%ProductName%|InstallDir|REG_SZ|%InstallPath%|",
      "[/regi]",
  });
  if (options.launchFlag) {
    lines.insert(lines.end(), {"[launch]", *options.launchFlag, "%InstallPath%\\writer.exe",
                               "[/launch]"});
  }
  lines.insert(lines.end(), {
      "[logo]", "%TempDir%\\top.bmp", "[/logo]",
      "[Header]", "%TempDir%\\side.bmp", "[/Header]",
      "[uninst_gene]", "Uninstalling %ProductName% %ProductVersion% ...", "-NA-", "[/uninst_gene]",
      "[uninst_fls]", "%InstallPath%\\Data\\settings.ini", "[/uninst_fls]",
      "[uninst_reg]",
      "HKEY_CURRENT_USER|Software\\%CompanyName%\\%ProductName%|InstallDir|",
      "[/uninst_reg]",
  });
  std::ostringstream text;
  for (const std::string& line : lines) text << line << "\r\n";
  return text.str();
}

}  // namespace wizard_test
