// Expanding templates: the cutting rule with its odd corners, every variable
// of the table on the simulated machine, and the image-path variant.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <string>

#include "base/text_trim.h"
#include "platform/sim/sim_platform.h"
#include "format/path_variable_names.h"
#include "script/path_variables.h"

namespace {

// The wizard's share: header fields trimmed in place at each lookup.
class TestWizard : public script::WizardValues {
 public:
  std::string productName = "Quill Writer";
  std::string productVersion = "2.0";
  std::string companyName = "Acme";
  std::string installPath = "C:\\Program Files\\Acme\\Quill Writer";

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

class PathVariables : public ::testing::Test {
 protected:
  sim::SimPlatform sim;
  TestWizard wizard;
  script::PathExpander expander{wizard, sim.registry, sim.machine, sim.files};

  std::string Expand(const std::string& text) { return expander.ExpandPathVariables(text); }
};

TEST_F(PathVariables, CuttingRule) {
  EXPECT_EQ(Expand("C:\\plain\\path"), "C:\\plain\\path");
  EXPECT_EQ(Expand(""), "");
  EXPECT_EQ(Expand("%%"), "%");                     // a literal "%"
  EXPECT_EQ(Expand("C:\\a%"), "C:\\a");             // a lone "%" at the end is dropped
  EXPECT_EQ(Expand("%Unknown%\\x"), "Unknown\\x");  // unknown: the bare text
  EXPECT_EQ(Expand("%productname%"), "productname");
  EXPECT_EQ(Expand("%PRODUCTNAME%"), "PRODUCTNAME");
  EXPECT_EQ(Expand("ProductName% setup"), "Quill Writer setup");     // text before the first "%"
  EXPECT_EQ(Expand("%CompanyName%ProductName"), "AcmeProductName");  // the rest is not
  EXPECT_EQ(Expand("%CompanyName%%ProductName%"), "AcmeQuill Writer");
  EXPECT_EQ(Expand("a%b%c%d"), "abcd");
  EXPECT_EQ(Expand("%TempDir%\\x"), "C:\\users\\tester\\Temp\\\\x");
  EXPECT_EQ(Expand("%ProgramFiles%\\%CompanyName%\\%ProductName%"),
            "C:\\Program Files\\Acme\\Quill Writer");
}

// "%%" is a "%" where it opens no name; a lone "%" keeps its old meaning.
TEST_F(PathVariables, LiteralPercent) {
  EXPECT_EQ(Expand("\"%InstallPath%\\t.exe\" \"%%1\""),
            "\"C:\\Program Files\\Acme\\Quill Writer\\t.exe\" \"%1\"");
  EXPECT_EQ(Expand("100%%"), "100%");
  EXPECT_EQ(Expand("%%%ProductName%%%"), "%Quill Writer%");
  EXPECT_EQ(Expand("%ProductName%%%"), "Quill Writer%");
  EXPECT_EQ(Expand("%Unknown%%ProductName%"), "UnknownQuill Writer");
  EXPECT_EQ(Expand("%%ProgramFiles%%\\x"), "%ProgramFiles%\\x");  // for REG_EXPAND_SZ
  EXPECT_EQ(Expand("\"%1\" 50%"), "\"1\" 50");  // lone signs are dropped, as before
}

TEST_F(PathVariables, ValuesAreInsertedUnchangedAndFetchedAnew) {
  wizard.productName = "%TempDir%";
  EXPECT_EQ(Expand("%ProductName%\\x"), "%TempDir%\\x");
  wizard.productName = "Quill Writer";
  EXPECT_EQ(Expand("%ProductName%"), "Quill Writer");
  sim.machine.userName = "other";
  EXPECT_EQ(Expand("%UserName%"), "other");
  wizard.installPath = "D:\\Chosen";
  EXPECT_EQ(Expand("%InstallPath%\\writer.exe"), "D:\\Chosen\\writer.exe");
  wizard.installPath.clear();  // while the default folder itself is expanded
  EXPECT_EQ(Expand("%InstallPath%\\writer.exe"), "\\writer.exe");
}

TEST_F(PathVariables, HeaderValuesLoseTrailingWhiteSpaceInTheField) {
  wizard.productName = "Quill Writer \t ";
  wizard.productVersion = "2.0\r";
  wizard.companyName = "  Acme  ";
  EXPECT_EQ(Expand("[%ProductName%|%ProductVersion%|%CompanyName%]"), "[Quill Writer|2.0|  Acme]");
  EXPECT_EQ(wizard.productName, "Quill Writer");
  EXPECT_EQ(wizard.companyName, "  Acme");
}

TEST_F(PathVariables, MachineTable) {
  const std::string profile = "C:\\users\\tester\\";
  const std::string roaming = profile + "AppData\\Roaming\\";
  const std::string startMenu = roaming + "Microsoft\\Windows\\Start Menu";
  struct Row {
    const char* name;
    std::string value;
    bool folderMade;
  };
  const Row rows[] = {
      {"%UserName%", "tester", false},
      {"%ComputerName%", "SIMBOX", false},
      {"%Language%", "English (United States)", false},
      {"%ProgramFiles%", "C:\\Program Files", false},
      {"%WindowDir%", "C:\\Windows", false},
      {"%SystemDir%", "C:\\Windows\\system32", false},
      {"%CommonFiles%", "C:\\Program Files\\Common Files", false},
      {"%TempDir%", profile + "Temp\\", false},
      {"%Desktop%", profile + "Desktop", true},
      {"%ProgramDir%", startMenu + "\\Programs", true},
      {"%StartMenu%", startMenu, true},
      {"%Favorites%", profile + "Favorites", true},
      {"%Startup%", startMenu + "\\Programs\\Startup", true},
      {"%Templates%", roaming + "Microsoft\\Windows\\Templates", true},
      {"%AppData%", profile + "AppData\\Roaming", true},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Expand(row.name), row.value) << row.name;
    // The create flag is passed, so a missing shell folder exists afterwards.
    if (row.folderMade) {
      EXPECT_TRUE(sim.files.IsFolder(row.value)) << row.name;
    }
  }
}

// mksetup warns about every name outside this list; each listed one is known.
TEST_F(PathVariables, TheListedNamesAreTheKnownOnes) {
  for (const std::string name : format::kPathVariableNames) {
    EXPECT_NE(Expand(name), name.substr(1, name.size() - 2)) << name;
  }
}

TEST_F(PathVariables, ValuesThatCannotBeFetched) {
  sim.machine.languageFits = false;
  EXPECT_EQ(Expand("%Language%-x"), "Language-x");  // treated as unknown
  sim.machine.computerName = "A-NAME-OF-SIXTEEN";
  EXPECT_EQ(Expand("[%ComputerName%]"), "[]");
  // A user name longer than 15 characters comes back whole.
  sim.machine.userName = "a.rather.long.user.name.of.forty.chars.x";
  EXPECT_EQ(Expand("%UserName%"), sim.machine.userName);

  sim::SimRegistry withoutValue;
  script::PathExpander bare(wizard, withoutValue, sim.machine, sim.files);
  EXPECT_EQ(script::ReadProgramFilesPath(withoutValue, sim.machine), "");
  EXPECT_EQ(bare.ExpandPathVariables("[%ProgramFiles%]"), "[]");
  EXPECT_EQ(bare.ExpandPathVariables("%CommonFiles%"), "\\Common Files");
}

TEST_F(PathVariables, ImagePathsPointIntoTheStagingFolder) {
  const std::string temp = "C:\\users\\tester\\Temp\\";
  EXPECT_EQ(expander.ExpandImagePath("%TempDir%\\top.bmp"), temp + "$ddinstall\\\\top.bmp");
  EXPECT_EQ(expander.ExpandImagePath("top.bmp"), "$ddinstall\\top.bmp");
  EXPECT_EQ(expander.ExpandImagePath("%TempDir%"), temp);  // empty rest: nothing appended
  EXPECT_EQ(expander.ExpandImagePath(""), "");
}

}  // namespace
#endif  // _WIN32
