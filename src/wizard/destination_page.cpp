// The destination page: the installation folder, the folder browser, the
// drive check and the three space figures.
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/accepted_drive.h"
#include "format/windows_path.h"
#include "install/programs_list.h"
#include "install/uninstall_registration.h"
#include "install/uninstall_root.h"
#include "script/script_reader.h"
#include "script/script_rules.h"
#include "wizard/control_ids.h"
#include "wizard/hard_disk_manager.h"
#include "wizard/install_wizard.h"
#include "wizard/wizard_texts.h"
#include "format/uninstall_key.h"
#include "format/script_fields.h"

namespace wizard {

namespace {

constexpr double kBytesPerGigabyte = 1073741824.0;  // 2^30
constexpr double kBytesPerMegabyte = 1048576.0;     // 2^20

// Background of the three space values on this page.
constexpr std::uint32_t kValueBackColor = Rgb(244, 245, 249);

// Staged files that the required space counts twice.
constexpr const char* kCountedTwice[] = {"RemoveUninstaller.exe", "Uninstall.exe",
                                         "SetUp Wizard.exe"};

// A figure in the C format "%f" (six decimals) followed by its unit. The
// largest double in "%f" takes 317 characters.
std::string FormatFigure(double value, const char* unit) {
  char buffer[400];
#ifdef _WIN32
  // msvcrt's own printf: MinGW's C99 one would add 20 KB to the runtime.
  const int length = _snprintf(buffer, sizeof buffer - 1, "%f", value);
#else
  const int length = std::snprintf(buffer, sizeof buffer, "%f", value);
#endif
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) return unit;
  return std::string(buffer, static_cast<std::size_t>(length)) + unit;
}

// The part after the last backslash: what Browse keeps of the old folder.
std::string LastPart(const std::string& folder) {
  const std::size_t slash = folder.rfind('\\');
  return slash == std::string::npos ? folder : folder.substr(slash + 1);
}

// The files of folder and of every folder below it, as staged: a tree
// product's files lie in folders of the staging folder. Never through a link
// or junction, which may lead anywhere. The names of kCountedTwice count
// twice at the top only.
double StagedBytes(platform::FileSystem& files, const std::string& folder, bool top) {
  double bytes = 0;
  for (const platform::FolderEntry& entry : files.ListFolder(folder)) {
    if (entry.isReparsePoint) continue;
    if (entry.isFolder) {
      bytes += StagedBytes(files, format::JoinPath(folder, entry.name), false);
      continue;
    }
    const double size = static_cast<double>(entry.size);
    bytes += size;
    for (const char* name : kCountedTwice) {
      if (top && entry.name == name) bytes += size;
    }
  }
  return bytes;
}

}  // namespace

void CInstallWizard::SetUpDestinationPage() {
  for (const int id : {kRequiredSpaceValue, kFreeSpaceValue, kDriveSpaceValue}) {
    surface_.SetBackColor(id, kValueBackColor);
  }
  surface_.SetBackColor(kPathBox, Rgb(255, 255, 255));

  // Only the first visit reads [inst_path], so a folder chosen with Browse
  // survives going Back and coming forward again.
  std::string folder;
  std::string lockFlag;
  if (!destinationVisited_) {
    destinationVisited_ = true;
    const script::InstallPathSection section =
        script::ReadInstallPathSection(host_.files, ScriptPath());
    lockFlag = section.lockFlag;
    // An upgrade goes where the installed version is.
    const std::string start =
        !options_.installFolder.empty()
            ? options_.installFolder
            : install::InstalledLocation(host_.registry, format::UninstallKey(ProductName()),
                                         install::UninstallRoot(options_.scope));
    folder = !start.empty() && !format::IsTrueFlag(lockFlag)
                 ? start
                 : expander_.ExpandPathVariables(section.pathTemplate);
    surface_.SetText(kPathBox, folder);
  } else {
    folder = surface_.GetText(kPathBox);
  }
  if (format::IsTrueFlag(lockFlag)) installFolderLocked_ = true;
  // The page's layout enables Browse; a locked folder keeps it disabled on
  // every visit.
  if (installFolderLocked_) {
    surface_.Enable(kPathBox, false);
    surface_.Enable(kBrowseButton, false);
  }

  UpdateDriveSpace(folder.substr(0, 1));
  surface_.SetText(kRequiredSpaceValue, FormatFigure(GetRequiredSpace(), texts::kMegabyteSuffix));
  CheckDrive(folder, false);
}

void CInstallWizard::UpdateDriveSpace(const std::string& driveLetter) {
  // A failed query leaves the fresh manager's zeros: "0.000000 GB".
  CHardDiskManager disk(host_.files);
  disk.CheckDiskSpace(driveLetter + ":");
  surface_.SetText(kFreeSpaceValue,
                   FormatFigure(disk.GetFreeBytes() / kBytesPerGigabyte, texts::kGigabyteSuffix));
  surface_.SetText(kDriveSpaceValue,
                   FormatFigure(disk.GetTotalBytes() / kBytesPerGigabyte, texts::kGigabyteSuffix));
}

double CInstallWizard::GetRequiredSpace() {
  return StagedBytes(host_.files, script::StagingFolder(host_.files), true) *
         (1.0 / kBytesPerMegabyte);
}

bool CInstallWizard::CheckDrive(const std::string& folder, bool withMessage) {
  const bool accepted =
      platform::IsAcceptedDrive(host_.files.DriveKindOf(format::DriveRootText(folder)));
  if (!accepted && withMessage) {
    host_.messages.Show(platform::MessageKind::Warning, texts::kDestinationPathError);
  }
  surface_.Enable(kNextButton, accepted);
  driveAccepted_ = accepted;
  return accepted;
}

void CInstallWizard::OnBrowse() {
  // The new folder is the chosen one with the old folder's last part below it.
  const std::string path = surface_.GetText(kPathBox);
  const std::string lastPart = LastPart(path);
  // The browser opens at the folder above that part, which OK keeps as it is.
  const std::string title = texts::kBrowseTitleStart + ProductName() + texts::kBrowseTitleEnd;
  std::string chosen;
  if (!host_.shell.BrowseForFolder(title, path.substr(0, path.size() - lastPart.size()), chosen)) {
    return;
  }

  const std::string folder = format::JoinPath(chosen, lastPart);
  surface_.SetText(kPathBox, folder);
  UpdateDriveSpace(folder.substr(0, 1));
  CheckDrive(folder, true);
}

void CInstallWizard::OnPathChanged() { CheckDrive(surface_.GetText(kPathBox), true); }

void CInstallWizard::EnterInstallFolder(const std::string& folder) {
  surface_.SetText(kPathBox, folder);
  UpdateDriveSpace(folder.substr(0, 1));
  OnPathChanged();
}

}  // namespace wizard
