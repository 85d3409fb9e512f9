// The two pieces of an upgrade with logic of their own: the version numbers
// of the programs list, and carrying the installed version's uninstall log
// over into the new one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/log_merge.h"
#include "install/programs_list.h"

namespace {

std::string Log(std::initializer_list<std::string> records) {
  std::string text;
  for (const std::string& record : records) text += (text.empty() ? "" : "\r\n") + record;
  return text;
}

TEST(VersionNumbers, TheNumbersAVersionStartsWith) {
  const auto numbers = [](const std::string& version) {
    const std::optional<install::VersionNumbers> found = install::VersionNumbersOf(version);
    return found ? std::to_string(found->major) + "," + std::to_string(found->minor) : "none";
  };
  EXPECT_EQ(numbers("2.10.3 beta"), "2,10");
  EXPECT_EQ(numbers("7"), "7,0");
  EXPECT_EQ(numbers("3.x"), "3,0");
  EXPECT_EQ(numbers("4294967295.1"), "4294967295,1");
  EXPECT_EQ(numbers("4294967296.1"), "4294967295,1");
  EXPECT_EQ(numbers("1.99999999999"), "1,4294967295");
  EXPECT_EQ(numbers("1.-2"), "1,0");
  EXPECT_EQ(numbers("v2.0"), "none");
  EXPECT_EQ(numbers(""), "none");
}

TEST(LogMerge, CarriesWhatTheNewLogLacksAndIsStillThereSectionBySection) {
  const std::string head = "Quill\r\nC:\\New\\\r\n2.0\r\nAcme\r\n-NA-\r\n-NA-";
  const std::string fresh = head + "\r\n" +
                            Log({"[files]", "C:\\New\\a.exe", "[/files]", "[shrt]", "Desktop|Quill",
                                 "[/shrt]", "[dirs]", "C:\\New\\", "[/dirs]", "[regst]",
                                 "HKEY_LOCAL_MACHINE|Uninstall\\Quill|", "[/regst]", "Group"});
  const std::string previous = Log({"Quill",
                                    "C:\\Old\\",
                                    "1.0",
                                    "Acme",
                                    "[files]",
                                    "-NA-",
                                    "[files]",
                                    "C:\\New\\a.exe",
                                    "C:\\Old\\gone.dll",
                                    "C:\\Old\\b.dll",
                                    "C:\\Old\\b.dll",
                                    "[/files]",
                                    "[shrt]",
                                    "Desktop|Quill 1",
                                    "[/shrt]",
                                    "[regst]",
                                    "HKEY_LOCAL_MACHINE|Uninstall\\Quill|",
                                    "HKEY_CURRENT_USER|Software\\Acme|",
                                    "[/regst]",
                                    "[dirs]",
                                    "C:\\Old\\",
                                    "[/dirs]",
                                    "[extra]",
                                    "C:\\Old\\x",
                                    "[/extra]",
                                    "Old group"});
  std::vector<std::string> asked;
  const std::string merged = install::MergeUninstallLogs(
      fresh, previous, [&](const std::string& section, const std::string& record) {
        asked.push_back(section + record);
        return record.find("gone") == std::string::npos;
      });
  EXPECT_EQ(merged,
            head + "\r\n" +
                Log({"[files]", "C:\\New\\a.exe", "C:\\Old\\b.dll", "[/files]", "[shrt]",
                     "Desktop|Quill", "Desktop|Quill 1", "[/shrt]", "[dirs]", "C:\\New\\",
                     "C:\\Old\\", "[/dirs]", "[regst]", "HKEY_LOCAL_MACHINE|Uninstall\\Quill|",
                     "HKEY_CURRENT_USER|Software\\Acme|", "[/regst]", "Group"}));
  // Only what the new log lacks is looked for on the machine, each once.
  EXPECT_EQ(asked, (std::vector<std::string>{
                       "[files]C:\\Old\\gone.dll", "[files]C:\\Old\\b.dll", "[shrt]Desktop|Quill 1",
                       "[regst]HKEY_CURRENT_USER|Software\\Acme|", "[dirs]C:\\Old\\"}));
  EXPECT_EQ(install::MergeUninstallLogs(
                fresh, "", [](const std::string&, const std::string&) { return true; }),
            fresh);
}

}  // namespace
