// Every text the uninstaller shows or writes, in one place.
#pragma once

namespace uninstall::texts {

// Box captions: the product's name and this.
inline constexpr const char* kCaptionSuffix = " Uninstall";
inline constexpr const char* kCaptionWithoutProduct = "Uninstall";

// The confirmation: the log's general lines above this question.
inline constexpr const char* kConfirmStart = "Do you want to remove ";
inline constexpr const char* kConfirmEnd = " and all of its components?";

inline constexpr const char* kRemovedEnd = " was removed from your computer.";
inline constexpr const char* kLeftoversStart = " was removed, but these items could not be: ";
inline constexpr const char* kLeftoversListedIn = "The list is also in ";
// The list's file was refused: a link or a file with other hard links stood
// under its name, or it could not be written.
inline constexpr const char* kLeftoversNotListed = "The list could not be written to ";

// No log, or one that cannot be read.
inline constexpr const char* kNoLogStart = "Cannot uninstall: the uninstall log ";
inline constexpr const char* kNoLogEnd = ". Nothing was removed.";
// A log that is not to be believed, after kNoLogStart and its path.
inline constexpr const char* kLogChanged =
    "it was changed after the installation (it does not match the digest recorded then)";
inline constexpr const char* kLogNotRegistered =
    "no installed product's uninstall entry starts this uninstaller with it";

// The file in the temporary folder that names the leftovers.
inline constexpr const char* kLeftoversFileSuffix = " uninstall leftovers.txt";

// Why an item was left, after its name.
inline constexpr const char* kNotRemoved = "could not be removed";
inline constexpr const char* kNotEmpty = "holds items the uninstall log does not name";
inline constexpr const char* kUnknownRoot = "names no registry root";

}  // namespace uninstall::texts
