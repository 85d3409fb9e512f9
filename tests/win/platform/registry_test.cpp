#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_removal.h"

namespace {

using platform::RegistryRoot;

std::vector<std::uint8_t> Bytes(const std::string& text, bool terminated = true) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  if (terminated) bytes.push_back(0);
  return bytes;
}

// Every test works below a key of its own under HKEY_CURRENT_USER, deleted
// afterwards.
class RegistryTest : public ::testing::Test {
 protected:
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, base.c_str()); }

  platform::Registry& registry = win32::Win32Platform().registry;
  const std::string base =
      "Software\\SetupKitTests\\Platform" + std::to_string(GetCurrentProcessId());
};

TEST_F(RegistryTest, StringRoundTripCreatesEveryMissingKey) {
  const std::string key = base + "\\One\\Two\\Three";
  ASSERT_TRUE(registry.SetValue(RegistryRoot::CurrentUser, key, "Path", platform::kRegSz,
                                Bytes("C:\\Program Files\\Acme")));
  std::string value;
  ASSERT_TRUE(registry.QueryString(RegistryRoot::CurrentUser, key, "Path", value));
  EXPECT_EQ(value, "C:\\Program Files\\Acme");

  // The stored size is the text and its zero byte.
  DWORD type = 0;
  DWORD size = 0;
  EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, key.c_str(), "Path", RRF_RT_ANY, &type, nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 22u);
}

// A PATH is read whole, longer than any path, with its type.
TEST_F(RegistryTest, QueryValueReadsAnyLengthAndTypeAndKeyExistsSaysWhetherTheKeyIs) {
  const std::string key = base + "\\Environment";
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::CurrentUser, key));
  const std::string path = std::string(5000, 'a') + ";%SystemRoot%\\bin";
  ASSERT_TRUE(
      registry.SetValue(RegistryRoot::CurrentUser, key, "Path", format::kRegExpandSz, Bytes(path)));
  EXPECT_TRUE(registry.KeyExists(RegistryRoot::CurrentUser, key));
  format::RegistryData value;
  ASSERT_TRUE(registry.QueryValue(RegistryRoot::CurrentUser, key, "Path", value));
  EXPECT_EQ(value.type, format::kRegExpandSz);
  EXPECT_EQ(value.bytes, Bytes(path));
  EXPECT_FALSE(registry.QueryValue(RegistryRoot::CurrentUser, key, "Missing", value));
}

TEST_F(RegistryTest, LaterValueReplacesEarlierAndEmptyNameIsTheDefaultValue) {
  ASSERT_TRUE(
      registry.SetValue(RegistryRoot::CurrentUser, base, "V", platform::kRegSz, Bytes("old")));
  ASSERT_TRUE(
      registry.SetValue(RegistryRoot::CurrentUser, base, "V", platform::kRegSz, Bytes("new")));
  ASSERT_TRUE(
      registry.SetValue(RegistryRoot::CurrentUser, base, "", platform::kRegSz, Bytes("dflt")));
  std::string value;
  ASSERT_TRUE(registry.QueryString(RegistryRoot::CurrentUser, base, "V", value));
  EXPECT_EQ(value, "new");
  ASSERT_TRUE(registry.QueryString(RegistryRoot::CurrentUser, base, "", value));
  EXPECT_EQ(value, "dflt");
}

TEST_F(RegistryTest, QueryStringRefusesWhatIsNoFittingString) {
  ASSERT_TRUE(registry.SetValue(RegistryRoot::CurrentUser, base, "Number", platform::kRegDword,
                                {1, 0, 0, 0}));
  ASSERT_TRUE(registry.SetValue(RegistryRoot::CurrentUser, base, "Long", platform::kRegSz,
                                Bytes(std::string(300, 'L'))));
  std::string value = "unchanged";
  EXPECT_FALSE(registry.QueryString(RegistryRoot::CurrentUser, base, "Number", value));
  EXPECT_FALSE(registry.QueryString(RegistryRoot::CurrentUser, base, "Long", value));
  EXPECT_FALSE(registry.QueryString(RegistryRoot::CurrentUser, base, "Missing", value));
  EXPECT_FALSE(registry.QueryString(RegistryRoot::CurrentUser, base + "\\NoKey", "V", value));
  EXPECT_EQ(value, "unchanged");
}

TEST_F(RegistryTest, StringStoredWithoutZeroByteEndsAtItsSize) {
  ASSERT_TRUE(registry.SetValue(RegistryRoot::CurrentUser, base, "Bare", platform::kRegSz,
                                Bytes("abc", false)));
  ASSERT_TRUE(registry.SetValue(RegistryRoot::CurrentUser, base, "Empty", platform::kRegSz, {}));
  std::string value;
  ASSERT_TRUE(registry.QueryString(RegistryRoot::CurrentUser, base, "Bare", value));
  EXPECT_EQ(value, "abc");
  ASSERT_TRUE(registry.QueryString(RegistryRoot::CurrentUser, base, "Empty", value));
  EXPECT_EQ(value, "");
}

TEST(MachineRegistryTest, ProgramFilesPathIsReadAndExpandsToAFolder) {
  platform::Platform& host = win32::Win32Platform();
  std::string value;
  ASSERT_TRUE(host.registry.QueryString(RegistryRoot::LocalMachine,
                                        "Software\\Microsoft\\Windows\\CurrentVersion",
                                        "ProgramFilesPath", value));
  ASSERT_FALSE(value.empty());
  const std::string folder = host.machine.ExpandMachineVariables(value);
  EXPECT_EQ(folder.find('%'), std::string::npos) << folder;
  EXPECT_TRUE(host.files.IsFolder(folder)) << folder;
  std::printf("ProgramFilesPath %s -> %s\n", value.c_str(), folder.c_str());
}

}  // namespace

namespace {

TEST_F(RegistryTest, RemovalTakesValuesAndOnlyEmptyKeys) {
  using KeyContent = platform::Removal::KeyContent;
  platform::Removal& removal = win32::Win32UninstallerPlatform().removal;
  const std::string key = base + "\\Product";
  ASSERT_TRUE(registry.SetValue(RegistryRoot::CurrentUser, key, "A", platform::kRegSz, Bytes("a")));
  ASSERT_TRUE(registry.SetValue(RegistryRoot::CurrentUser, key + "\\Sub", "B", platform::kRegSz,
                                Bytes("b")));
  EXPECT_EQ(removal.ContentOf(RegistryRoot::CurrentUser, key), KeyContent::NotEmpty);
  EXPECT_TRUE(removal.DeleteValue(RegistryRoot::CurrentUser, key, "A"));
  EXPECT_TRUE(removal.DeleteValue(RegistryRoot::CurrentUser, key, "A"));  // gone already
  EXPECT_TRUE(removal.DeleteValue(RegistryRoot::CurrentUser, key + "\\Missing", "A"));
  // The subkey keeps its parent.
  EXPECT_EQ(removal.ContentOf(RegistryRoot::CurrentUser, key), KeyContent::NotEmpty);
  EXPECT_FALSE(removal.DeleteKey(RegistryRoot::CurrentUser, key));
  EXPECT_TRUE(removal.DeleteValue(RegistryRoot::CurrentUser, key + "\\Sub", "B"));
  EXPECT_EQ(removal.ContentOf(RegistryRoot::CurrentUser, key + "\\Sub"), KeyContent::Empty);
  EXPECT_TRUE(removal.DeleteKey(RegistryRoot::CurrentUser, key + "\\Sub"));
  EXPECT_EQ(removal.ContentOf(RegistryRoot::CurrentUser, key + "\\Sub"), KeyContent::Missing);
  EXPECT_TRUE(removal.DeleteKey(RegistryRoot::CurrentUser, key));
  EXPECT_FALSE(removal.DeleteKey(RegistryRoot::CurrentUser, ""));  // never the root itself
}

}  // namespace
