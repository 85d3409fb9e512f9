// Removing the registry values the log names, and their keys once empty.
#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"
#include "uninstall/removal.h"

namespace {

using platform::RegistryRoot;

TEST(RegistryRemoval, KeysGoOnlyWhenNothingIsLeftInThem) {
  sim::SimPlatform sim;
  sim::SimRegistry& registry = sim.registry;
  const std::vector<std::uint8_t> one = {1, 0, 0, 0};
  registry.SetValue(RegistryRoot::CurrentUser, "Software\\Acme\\A", "Named", platform::kRegDword,
                    one);
  registry.SetValue(RegistryRoot::CurrentUser, "Software\\Acme\\B", "Named", platform::kRegDword,
                    one);
  registry.SetValue(RegistryRoot::CurrentUser, "Software\\Acme\\B", "Other", platform::kRegDword,
                    one);
  registry.SetValue(RegistryRoot::CurrentUser, "Software\\Acme\\C", "Named", platform::kRegDword,
                    one);
  registry.AddKey(RegistryRoot::CurrentUser, "Software\\Acme\\C\\Sub");
  registry.SetValue(RegistryRoot::CurrentUser, "Software\\Acme\\C-D", "", platform::kRegDword, one);
  std::vector<uninstall::Leftover> leftovers;
  uninstall::RemoveRegistryValues(sim.removal,
                                  {{"HKEY_CURRENT_USER", "Software\\Acme\\A", "Named"},
                                   {"HKEY_CURRENT_USER", "Software\\Acme\\B", "Named"},
                                   {"HKEY_CURRENT_USER", "Software\\Acme\\C", "Named"},
                                   {"HKEY_CURRENT_USER", "Software\\Acme\\C-D", ""},
                                   {"HKEY_CURRENT_USER", "Software\\Acme\\Missing", "Named"}},
                                  leftovers);
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::CurrentUser, "Software\\Acme\\A"));
  EXPECT_TRUE(registry.Find(RegistryRoot::CurrentUser, "Software\\Acme\\B", "Other").has_value());
  EXPECT_FALSE(registry.Find(RegistryRoot::CurrentUser, "Software\\Acme\\B", "Named").has_value());
  EXPECT_TRUE(registry.KeyExists(RegistryRoot::CurrentUser, "Software\\Acme\\C\\Sub"));
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::CurrentUser, "Software\\Acme\\C-D"));
  EXPECT_TRUE(registry.KeyExists(RegistryRoot::CurrentUser, "Software\\Acme"));
  EXPECT_TRUE(leftovers.empty());
}

TEST(RegistryRemoval, TheKeyRecordTakesTheRegistrationButNotForeignValues) {
  sim::SimPlatform sim;
  sim::SimRegistry& registry = sim.registry;
  const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quill";
  const std::vector<std::uint8_t> text = {'x', 0};
  for (const char* name : {"DisplayName", "UninstallString", "QuietUninstallString", "NoRepair"}) {
    registry.SetValue(RegistryRoot::LocalMachine, key, name, platform::kRegSz, text);
  }
  registry.SetValue(RegistryRoot::CurrentUser, "Software\\Mine", "DisplayName", platform::kRegSz,
                    text);
  std::vector<uninstall::Leftover> leftovers;
  uninstall::RemoveRegistryValues(sim.removal,
                                  {{"HKEY_LOCAL_MACHINE", key, ""},
                                   {"HKEY_CURRENT_USER", "Software\\Mine", ""},
                                   {"HKEY_NOWHERE", "K", ""}},
                                  leftovers);
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::LocalMachine, key));
  EXPECT_TRUE(registry.KeyExists(RegistryRoot::LocalMachine,
                                 "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"));
  EXPECT_TRUE(
      registry.Find(RegistryRoot::CurrentUser, "Software\\Mine", "DisplayName").has_value());
  ASSERT_EQ(leftovers.size(), 2u);
  EXPECT_EQ(leftovers[0].item, "HKEY_CURRENT_USER\\Software\\Mine");
  EXPECT_EQ(leftovers[1].reason, "names no registry root");
}

TEST(RegistryRemoval, AServiceKeyInTheLogIsLeftAlone) {
  sim::SimPlatform sim;
  sim::SimRegistry& registry = sim.registry;
  const std::string service = "SYSTEM\\CurrentControlSet\\Services\\Spooler";
  registry.SetValue(RegistryRoot::LocalMachine, service, "ImagePath", platform::kRegSz, {'x', 0});
  std::vector<uninstall::Leftover> leftovers;
  uninstall::RemoveRegistryValues(sim.removal, {{"HKEY_LOCAL_MACHINE", service, "ImagePath"}},
                                  leftovers);
  EXPECT_TRUE(registry.Find(RegistryRoot::LocalMachine, service, "ImagePath").has_value());
  ASSERT_EQ(leftovers.size(), 1u);
  EXPECT_EQ(leftovers[0].reason, "a key the system starts services or programs from");
}

}  // namespace
