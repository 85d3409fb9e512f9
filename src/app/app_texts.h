// The messages of the start-up, gathered so that a reviewer or a translator
// sees them at once. The extraction core words its own failures ("Cannot
// create file " and the damaged-archive texts).
#pragma once

namespace app {

inline constexpr const char* kNoPayload =
    "This setup program holds no installation data. It may be damaged; "
    "please obtain a new copy.";
inline constexpr const char* kNoScript =
    "The installation data of this setup program holds no setup script. "
    "It may be damaged; please obtain a new copy.";
inline constexpr const char* kChecksumMismatch =
    "This setup program is damaged: its installation data does not match the "
    "checksum it was built with, as happens after an incomplete or corrupted "
    "download. Nothing was installed. Please download the setup program again.";
inline constexpr const char* kNoPrivateFolder =
    "Setup cannot create its private folder in the system's temporary folder "
    "to unpack the installation files into.";
inline constexpr const char* kDamagedPrefix =
    "The installation data of this setup program is damaged; please obtain "
    "a new copy.\n\n";
inline constexpr const char* kSetupRunsAlready = "Setup of this product is running already.";
inline constexpr const char* kUnknownScope =
    "The installation data of this setup program is damaged; please obtain a new copy.\n\n"
    "It does not say whom to install the product for.";
inline constexpr const char* kAllUsersRefused =
    "This setup program installs the product for the user who runs it: it cannot install "
    "it for all users (/ALLUSERS).";

}  // namespace app
