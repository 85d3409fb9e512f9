// The Windows path rules: every spelling of one file comes out the same, and
// the cases where the old copies disagreed take the safer answer.
#include <gtest/gtest.h>

#include "format/windows_path.h"

namespace {

TEST(WindowsPath, EverySpellingOfOneFolderIsOnePath) {
  for (const char* spelling :
       {"C:\\Windows\\Templates", "c:/windows/templates/", "C:\\Windows\\Templates.\\",
        "C:\\Windows\\Templates. . ", "C:\\\\Windows\\\\\\Templates",
        "\\\\?\\C:\\Windows\\Templates", "\\\\.\\C:\\Windows\\Templates",
        "\\??\\C:\\Windows\\Templates", "C:\\Windows\\Templates::$INDEX_ALLOCATION",
        "C:\\Windows\\Templates:$I30:$INDEX_ALLOCATION", "C:\\Windows\\Fonts\\..\\.\\Templates",
        "C:\\..\\Windows\\Templates"}) {
    EXPECT_EQ(format::CanonicalPath(spelling), "c:\\windows\\templates") << spelling;
  }
  EXPECT_EQ(format::CanonicalPath("\\\\?\\UNC\\Server\\C$\\Windows"), "\\\\server\\c$\\windows");
  EXPECT_EQ(format::CanonicalPath("\\\\server\\share\\..\\..\\x"), "\\\\server\\share\\x");
  EXPECT_EQ(format::CanonicalPath("C:\\"), "c:");
  EXPECT_EQ(format::CanonicalPath("C:name"), "c:name");
  EXPECT_EQ(format::CanonicalPath("\\\\?\\Volume{1}\\x"), "volume{1}\\x");
  EXPECT_TRUE(format::IsAtOrBelow("C:\\Program Files\\Acme.\\bin", "c:\\program files\\acme"));
  EXPECT_FALSE(format::IsAtOrBelow("C:\\Program Files\\Acme2", "C:\\Program Files\\Acme"));
}

TEST(WindowsPath, RootsAndDotSteps) {
  EXPECT_EQ(format::RootLength("c:\\x"), 2u);
  EXPECT_EQ(format::RootLength("\\\\server\\share\\x"), 14u);
  for (const char* notFull : {"1:\\x", "c:x", "\\x", "\\\\server", "\\\\\\share", "x"})
    EXPECT_EQ(format::RootLength(notFull), 0u) << notFull;
  // The safer of the two old answers: "\\server" and "1:" are roots too.
  for (const char* root : {"C:", "c:\\", "\\\\server\\share\\", "\\\\server", "1:", "\\\\.\\C:\\"})
    EXPECT_TRUE(format::IsDriveRoot(root)) << root;
  for (const char* notRoot : {"", "C:\\x", "\\\\server\\share\\x", "\\\\", "x"})
    EXPECT_FALSE(format::IsDriveRoot(notRoot)) << notRoot;
  for (const char* dots : {"C:\\a\\..\\b", "C:\\a\\.", "C:/a/./b", "C:\\a\\...\\b", "C:\\a\\. \\b"})
    EXPECT_TRUE(format::HasDotStep(dots)) << dots;
  EXPECT_FALSE(format::HasDotStep("C:\\a.b\\.c\\d."));
}

TEST(WindowsPath, JoiningTrimmingAndFolding) {
  EXPECT_EQ(format::JoinPath("C:\\a", "b"), "C:\\a\\b");
  EXPECT_EQ(format::JoinPath("C:\\a\\", "b"), "C:\\a\\b");
  EXPECT_EQ(format::JoinPath("", "b"), "\\b");
  EXPECT_EQ(format::WithTrailingSeparator("C:\\a"), "C:\\a\\");
  EXPECT_EQ(format::WithTrailingSeparator(""), "");
  EXPECT_EQ(format::WithoutTrailingSeparators("C:\\a\\/\\"), "C:\\a");
  EXPECT_EQ(format::WithoutTrailingSeparators("C:\\\\"), "C:\\");
  EXPECT_EQ(format::WithoutTrailingSeparators("\\\\"), "\\");
  // Only ASCII letters fold: "\xC9" (E acute) stays.
  EXPECT_EQ(format::AsciiLowered("AbC\xC9"), "abc\xC9");
  EXPECT_TRUE(format::SameIgnoringAsciiCase("UnInstaller.EXE", "uninstaller.exe"));
  EXPECT_TRUE(format::IsRootKeyPath("\\\\"));
  EXPECT_TRUE(format::IsRootKeyPath(""));
  EXPECT_FALSE(format::IsRootKeyPath("\\a"));
  EXPECT_EQ(format::ComparableKeyPath("\\SYSTEM\\\\Control/Set\\"), "system\\control/set");
}

TEST(WindowsPath, DeviceNamesWithAnyExtensionAndSuperscriptDigits) {
  for (const char* device : {"CON", "nul.txt", "Aux .log", "COM1", "lpt9.lnk", "CONOUT$", "COM\xB9",
                             "com\xB2.txt", "LPT\xB3"}) {
    EXPECT_TRUE(format::IsDeviceName(device)) << device;
  }
  for (const char* name : {"COM", "COM10", "LPT0", "COM\xB4", "CONSOLE", "xCON", "COM1x"})
    EXPECT_FALSE(format::IsDeviceName(name)) << name;
}

}  // namespace
