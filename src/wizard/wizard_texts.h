// Every text the wizard's page logic shows or compares, in one place, so that
// a reviewer or a translator sees them all at once. The template's own texts
// live in wizard_controls.h.
#pragma once

#include "format/payload_contract.h"

namespace wizard::texts {

// Captions of the Next button, one per page (the page table names them).
inline constexpr const char* kNextCaption = "Next";
inline constexpr const char* kAcceptCaption = "Accept";
inline constexpr const char* kFinishCaption = "Finish";

// Header title of the inner pages. The title is first set to a blank so that
// the static repaints its whole rectangle before the new text is drawn.
inline constexpr const char* kHeaderTitleBlank = " ";
inline constexpr const char* kInstallationLocationTitle = "\n\n\tInstallation Location";
inline constexpr const char* kInstallingTitle = "\n\n\tInstalling...";
// Set when Back returns to the licence page; the misspelling is the
// program's own and stays.
inline constexpr const char* kLicenceAgainTitle = "\n\n\tLicense Aggrement";

// Welcome page, around the product name.
inline constexpr const char* kWelcomeTitleStart = "Welcome to the ";
inline constexpr const char* kWelcomeTitleEnd = " Installation Wizard";
inline constexpr const char* kWelcomeGuideStart =
    "This wizard will guide you through the installation of ";
inline constexpr const char* kWelcomeGuideEnd = ".";

// Finish page, around the product name.
inline constexpr const char* kFinishTitleStart = "Completing the ";
inline constexpr const char* kFinishTitleEnd = " Setup Wizard";
inline constexpr const char* kFinishInstalledEnd = " has been installed on your computer.";
inline constexpr const char* kLaunchCaptionStart = "Launch ";
// In place of "Click Finish to close this Wizard." when a file in use is
// replaced at the next restart.
inline constexpr const char* kRestartNeeded = "Restart the computer to complete the installation.";

// The notice line that stands for no notice.
inline constexpr const char* kNoNotice = "-N-A-";

// Line breaks that an empty line of the licence file becomes.
inline constexpr const char* kLicenceParagraphBreak = "\r\n\r\n";
// A staged entry whose name contains this is the licence text.
inline constexpr const char* kLicenceNameMark = format::kLicenceMarker;

// Units of the destination page's figures.
inline constexpr const char* kGigabyteSuffix = " GB";
inline constexpr const char* kMegabyteSuffix = " MB";

// The folder browser's text above its tree, around the product name.
inline constexpr const char* kBrowseTitleStart = "Choose the folder to install ";
inline constexpr const char* kBrowseTitleEnd = " into";

// Message boxes.
inline constexpr const char* kDestinationPathError = "Destination Folder Path Error";
inline constexpr const char* kExitQuestion =
    "Setup Installation is not completed yet. If you exit now, the program will "
    "not be installed.\n\nYou may run Setup again at another time to complete "
    "the installation.\n\n Do you want to Exit Setup?";

}  // namespace wizard::texts
