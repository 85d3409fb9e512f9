// Registry values of the "[regi]" section: the stored type and bytes of each
// kind of Data, the roots and types that write nothing, and key creation.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "format/registry_data.h"
#include "install_test_support.h"

namespace {

using install_test::Bytes;
using install_test::InstallTest;
using install_test::Lines;
using install_test::Script;
using install_test::StringValue;
using install_test::UninstallSections;
using platform::RegistryRoot;

std::optional<Bytes> Stored(const std::string& type, const std::string& text,
                            std::uint32_t expectedType) {
  const std::optional<format::RegistryData> data = format::RegistryDataOf(type, text);
  if (!data) return std::nullopt;
  EXPECT_EQ(data->type, expectedType) << type << " " << text;
  return data->bytes;
}

TEST(RegistryData, StringsKeepTheirTextAndATerminatingZero) {
  EXPECT_EQ(Stored("REG_SZ", "C:\\a b", platform::kRegSz), StringValue("C:\\a b"));
  EXPECT_EQ(Stored("REG_SZ", "", platform::kRegSz), Bytes{0});
  EXPECT_EQ(Stored("REG_SZ", " 12 ", platform::kRegSz), StringValue(" 12 "));
}

TEST(RegistryData, ExpandableAndMultiStrings) {
  EXPECT_EQ(Stored("REG_EXPAND_SZ", "%SystemRoot%\\a", format::kRegExpandSz),
            StringValue("%SystemRoot%\\a"));
  const auto multi = [](const std::string& text) {
    return Stored("REG_MULTI_SZ", text, format::kRegMultiSz);
  };
  EXPECT_EQ(multi("ab{break}c"), (Bytes{'a', 'b', 0, 'c', 0, 0}));
  EXPECT_EQ(multi("a b"), (Bytes{'a', ' ', 'b', 0, 0}));
  EXPECT_EQ(multi(""), Bytes{0});  // the empty list
  // An empty string would end the list early.
  for (const char* bad : {"a{break}{break}b", "{break}", "a{break}"}) {
    EXPECT_EQ(multi(bad), std::nullopt) << bad;
  }
}

TEST(RegistryData, DwordsAreDecimalOrHexNumbersOfThirtyTwoBits) {
  const auto dword = [](const std::string& text) {
    return Stored("REG_DWORD", text, platform::kRegDword);
  };
  EXPECT_EQ(dword("1"), (Bytes{1, 0, 0, 0}));
  EXPECT_EQ(dword("305419896"), (Bytes{0x78, 0x56, 0x34, 0x12}));
  EXPECT_EQ(dword("0x12345678"), (Bytes{0x78, 0x56, 0x34, 0x12}));
  EXPECT_EQ(dword("0XfF"), (Bytes{0xFF, 0, 0, 0}));
  EXPECT_EQ(dword("4294967295"), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(dword("0xFFFFFFFF"), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(dword(" 010\t"), (Bytes{10, 0, 0, 0}));  // decimal, not octal
  EXPECT_EQ(dword("0"), (Bytes{0, 0, 0, 0}));
  for (const char* bad : {"", " ", "4294967296", "0x100000000", "99999999999999999999999", "-1",
                          "+1", "12abc", "0x", "0xG", "1 2", "1.5", "ten"}) {
    EXPECT_EQ(dword(bad), std::nullopt) << bad;
  }
}

TEST(RegistryData, BinaryIsHexPairsWithOptionalSpacesOrCommas) {
  const auto binary = [](const std::string& text) {
    return Stored("REG_BINARY", text, platform::kRegBinary);
  };
  EXPECT_EQ(binary("01 02 0a,FF"), (Bytes{0x01, 0x02, 0x0A, 0xFF}));
  EXPECT_EQ(binary("DEADbeef"), (Bytes{0xDE, 0xAD, 0xBE, 0xEF}));
  EXPECT_EQ(binary(" 00, 7f "), (Bytes{0x00, 0x7F}));
  EXPECT_EQ(binary(""), Bytes{});
  for (const char* bad : {"1", "102", "1 2", "0x01", "zz", "01;02", "01-02"}) {
    EXPECT_EQ(binary(bad), std::nullopt) << bad;
  }
}

TEST(RegistryData, OtherTypeNamesStoreNothing) {
  for (const char* type : {"REG_QWORD", "reg_multi_sz", "reg_sz", "REG_SZ ", ""}) {
    EXPECT_FALSE(format::RegistryDataOf(type, "1").has_value()) << type;
  }
}

class RegistryPassTest : public InstallTest {
 protected:
  void InstallRegistryLines(std::initializer_list<std::string> lines) {
    std::string section = Lines({"[regi]"});
    for (const std::string& line : lines) section += line + "\r\n";
    StageScript(Script({section, Lines({"[/regi]"}), UninstallSections()}));
    Install();
  }
  void ExpectValue(RegistryRoot root, const std::string& key, const std::string& name,
                   std::uint32_t type, const Bytes& bytes) {
    const auto value = Value(root, key, name);
    ASSERT_TRUE(value.has_value()) << key << " " << name;
    EXPECT_EQ(value->type, type) << key << " " << name;
    EXPECT_EQ(value->data, bytes) << key << " " << name;
  }
};

TEST_F(RegistryPassTest, EveryKindOfValueLandsWithItsTypeAndBytes) {
  InstallRegistryLines({
      "HKEY_CURRENT_USER|Software\\%CompanyName%\\%ProductName%|Path|REG_SZ|%InstallPath%\\writer.exe|",
      "HKEY_CURRENT_USER|Software\\Acme|NoFinalBar|REG_SZ|dropped",
      "HKEY_LOCAL_MACHINE|Software\\Acme|Count|REG_DWORD|42|",
      "HKEY_LOCAL_MACHINE|Software\\Acme|Mask|REG_DWORD|0x8000|",
      "HKEY_LOCAL_MACHINE|Software\\Acme|Bad|REG_DWORD|lots|",
      "HKEY_CLASSES_ROOT|.qwd|Blob|REG_BINARY|01,02 ff|",
      "HKEY_CLASSES_ROOT|.qwd|BadBlob|REG_BINARY|0102f|",
      "HKEY_USERS|.DEFAULT\\Acme|Odd|REG_QWORD|%InstallPath%|",
      "HKEY_CURRENT_USER|Environment|Tools|REG_EXPAND_SZ|%%SystemRoot%%\\%ProductName%|",
      "HKEY_CURRENT_USER|Software\\Acme|Dirs|REG_MULTI_SZ|%InstallPath%{break}b|",
      "HKEY_CURRENT_CONFIG|Acme||REG_SZ|default value|extra|fields|",
  });
  const std::string path = std::string(install_test::kInstallPath) + "\\writer.exe";
  ExpectValue(RegistryRoot::CurrentUser, "Software\\Acme\\Quill Writer", "Path", platform::kRegSz,
              StringValue(path));
  ExpectValue(RegistryRoot::CurrentUser, "Software\\Acme", "NoFinalBar", platform::kRegSz,
              Bytes{0});
  ExpectValue(RegistryRoot::LocalMachine, "Software\\Acme", "Count", platform::kRegDword,
              Bytes{42, 0, 0, 0});
  ExpectValue(RegistryRoot::LocalMachine, "Software\\Acme", "Mask", platform::kRegDword,
              Bytes{0x00, 0x80, 0, 0});
  EXPECT_FALSE(Value(RegistryRoot::LocalMachine, "Software\\Acme", "Bad"));
  ExpectValue(RegistryRoot::ClassesRoot, ".qwd", "Blob", platform::kRegBinary, Bytes{1, 2, 0xFF});
  EXPECT_FALSE(Value(RegistryRoot::ClassesRoot, ".qwd", "BadBlob"));
  EXPECT_FALSE(Value(RegistryRoot::Users, ".DEFAULT\\Acme", "Odd"));
  EXPECT_FALSE(sim.registry.KeyExists(RegistryRoot::Users, ".DEFAULT\\Acme"));
  ExpectValue(RegistryRoot::CurrentConfig, "Acme", "", platform::kRegSz,
              StringValue("default value"));
  ExpectValue(RegistryRoot::CurrentUser, "Environment", "Tools", format::kRegExpandSz,
              StringValue("%SystemRoot%\\Quill Writer"));
  Bytes dirs = StringValue(install_test::kInstallPath);
  for (const char c : {'b', '\0', '\0'}) dirs.push_back(static_cast<std::uint8_t>(c));
  ExpectValue(RegistryRoot::CurrentUser, "Software\\Acme", "Dirs", format::kRegMultiSz, dirs);
  // HKEY_CLASSES_ROOT was written: Explorer is told once.
  EXPECT_EQ(sim.shell.associationNotices, 1u);
}

TEST_F(RegistryPassTest, UnknownRootsWriteNothing) {
  const std::size_t before = sim.registry.ValueCount();
  InstallRegistryLines({"hkey_current_user|Software\\Acme|A|REG_SZ|x|",
                        " HKEY_CURRENT_USER|Software\\Acme|B|REG_SZ|x|",
                        "HKCU|Software\\Acme|C|REG_SZ|x|", "|Software\\Acme|D|REG_SZ|x|", ""});
  // the uninstall registration, the log's digest and the programs list only
  EXPECT_EQ(sim.registry.ValueCount(), before + 14);
  EXPECT_FALSE(sim.registry.KeyExists(RegistryRoot::CurrentUser, "Software\\Acme"));
}

TEST_F(RegistryPassTest, LaterLineWinsAndMissingKeysAreCreated) {
  InstallRegistryLines({"HKEY_CURRENT_USER|Software\\One\\Two\\Three|V|REG_SZ|first|",
                        "HKEY_CURRENT_USER|Software\\One\\Two\\Three|V|REG_DWORD|7|",
                        "HKEY_CURRENT_USER||RootValue|REG_SZ|at the root|"});
  for (const char* key : {"Software\\One", "Software\\One\\Two", "Software\\One\\Two\\Three"}) {
    EXPECT_TRUE(sim.registry.KeyExists(RegistryRoot::CurrentUser, key)) << key;
  }
  ExpectValue(RegistryRoot::CurrentUser, "Software\\One\\Two\\Three", "V", platform::kRegDword,
              Bytes{7, 0, 0, 0});
  ExpectValue(RegistryRoot::CurrentUser, "", "RootValue", platform::kRegSz,
              StringValue("at the root"));
  EXPECT_EQ(sim.shell.associationNotices, 0u);  // no file association among them
}

TEST_F(RegistryPassTest, UninstallRegistrationQuotesTheCommand) {
  InstallRegistryLines({});
  const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quill Writer";
  const std::string uninstaller = std::string(install_test::kInstallPath) + "\\UnInstaller.exe";
  ExpectValue(RegistryRoot::LocalMachine, key, "DisplayIcon", platform::kRegSz,
              StringValue(uninstaller));
  ExpectValue(RegistryRoot::LocalMachine, key, "DisplayName", platform::kRegSz,
              StringValue("Quill Writer"));
  ExpectValue(RegistryRoot::LocalMachine, key, "NoModify", platform::kRegDword, Bytes{1, 0, 0, 0});
  ExpectValue(RegistryRoot::LocalMachine, key, "NoRepair", platform::kRegDword, Bytes{1, 0, 0, 0});
  ExpectValue(RegistryRoot::LocalMachine, key, "UninstallString", platform::kRegSz,
              StringValue("\"" + uninstaller + "\""));
  ExpectValue(RegistryRoot::LocalMachine, key, "QuietUninstallString", platform::kRegSz,
              StringValue("\"" + uninstaller + "\" /S"));
}

TEST_F(RegistryPassTest, RefusedWritesAreSilentAndTheLogStillNamesTheKey) {
  sim.registry.DenyWrites(RegistryRoot::LocalMachine);
  InstallRegistryLines({"HKEY_LOCAL_MACHINE|Software\\Acme|A|REG_SZ|x|",
                        "HKEY_CURRENT_USER|Software\\Acme|B|REG_SZ|x|"});
  EXPECT_FALSE(Value(RegistryRoot::LocalMachine, "Software\\Acme", "A"));
  EXPECT_TRUE(Value(RegistryRoot::CurrentUser, "Software\\Acme", "B"));
  EXPECT_NE(
      Log().find("HKEY_LOCAL_MACHINE|SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
                 "Quill Writer|\r\n[/regst]\r\n"),
      std::string::npos);
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
#endif
