// The installing step: what one Next click on the destination page does, from
// the installation folder to the uninstall registration. It runs to its end;
// a failure of one part shows its message (where it has one) and the step
// goes on. Nothing is rolled back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "install/run_options.h"
#include "platform/platform.h"
#include "script/path_variables.h"

namespace install {

// The few things the step shows on the installing page.
class InstallingPage {
  // Never deleted through this interface: no destructor in its table.
 protected:
  ~InstallingPage() = default;

 public:
  virtual void DisableBack() = 0;
  // Sets the progress bar's window text to percent + "%" and its position.
  virtual void ShowProgress(int percent) = 0;
};

struct InstallRequest {
  // The path box's text as the installing transition read it.
  std::string installPath;
  // The wizard's product name field (header line 1).
  std::string productName;
  // What the programs list shows as the product's size, in KiB: the staged
  // files, as the destination page counts the space required.
  std::uint32_t estimatedKib = 0;
};

// Runs the step: the installation folder, the "[fls]" file pass, the
// uninstall log with its file list, the progress display, shortcuts,
// registry values, the removal registry lines and the uninstall
// registration; the run's options say where the links go. programGroup is
// the wizard's own program group: the shortcut pass sets it and the
// uninstall log ends with it. Over an installed version of the product its
// uninstall log is carried into the new one. Returns the line for the run's
// log that says whether this was a fresh install, an upgrade or a repair.
std::string RunInstallingStep(platform::Platform& host, script::PathExpander& expander,
                              InstallingPage& page, const RunOptions& options,
                              const InstallRequest& request, std::string& programGroup);

// Creates a folder and every missing folder above it. Failures are silent.
// Each folder made is noted in CreatedFolders().
void CreateFolderPath(platform::FileSystem& files, const std::string& path);

// The folders made since ForgetCreatedFolders, in the order they were made,
// so a folder always comes after the one above it. The uninstaller removes
// them again once they are empty, and never a folder that was there before.
const std::vector<std::string>& CreatedFolders();
void NoteCreatedFolder(const std::string& folder);
void ForgetCreatedFolders();

// The installation folder, as CreateFolderPath makes it, but when the step
// makes the folder itself outside the program files folders, with their
// permissions (MakeProtectedFolder): the user cannot then replace the
// uninstall log or the uninstaller that runs elevated. A folder that exists
// already keeps its own, as it may hold the user's files. A product of one
// user (protect false) is the user's to change, and nothing of it runs
// elevated: its folder is made as any other.
void CreateInstallFolder(platform::Platform& host, const std::string& path, bool protect = true);

// Finish with the launch box checked: starts the program of every "[launch]"
// with a true flag. Returns false when a false flag ended the scan, which
// hides the launch box.
bool LaunchPrograms(platform::Platform& host, script::PathExpander& expander);

// Deletes the files of the staging folder (or of folder, ending with "\"),
// also those in its sub-folders, where the entries of a tree are staged;
// the folders themselves stay.
void DeleteStagingFiles(platform::FileSystem& files, const std::string& folder = {});

}  // namespace install
