// Shortcuts as the setup program makes them and the uninstaller finds them:
// the Quick Launch folder and the link's extension, and the message the
// setup program shows for a line it makes no link for (mksetup quotes it).
#pragma once

namespace format {

// The Quick Launch location's folder, below the application-data folder.
inline constexpr const char* kQuickLaunchFolder = "\\Microsoft\\Internet Explorer\\Quick Launch";
inline constexpr const char* kLinkExtension = ".lnk";
// Shown for a shortcut line with an empty Name or Target. The missing space
// after the comma is the program's own.
inline constexpr const char* kEnterMenuItemCorrectly =
    "Please,enter the Menu Item and File name correctly.";

}  // namespace format
