#include <algorithm>

#include "format/windows_path.h"
#include "platform/sim/sim_platform.h"

namespace sim {

namespace {

// Registry names compare without regard to case; backslashes at either end
// of a key path do not count.
std::string Fold(const std::string& text) { return format::AsciiLowered(text); }

std::string FoldKey(const std::string& key) {
  std::string folded = Fold(key);
  while (!folded.empty() && folded.front() == '\\') folded.erase(folded.begin());
  while (!folded.empty() && folded.back() == '\\') folded.pop_back();
  return folded;
}

}  // namespace

SimRegistry::SimRegistry() {
  AddKey(platform::RegistryRoot::CurrentUser, "Software");
  AddKey(platform::RegistryRoot::CurrentUser, "Environment");
  AddKey(platform::RegistryRoot::LocalMachine, "Software");
  AddKey(platform::RegistryRoot::LocalMachine,
         "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment");
}

bool SimRegistry::SetValue(platform::RegistryRoot root, const std::string& key,
                           const std::string& name, std::uint32_t type,
                           const std::vector<std::uint8_t>& data) {
  if (std::find(denied_.begin(), denied_.end(), root) != denied_.end()) return false;
  // Every key along the path comes into being, as with RegCreateKeyExA.
  const std::string folded = FoldKey(key);
  for (std::size_t at = folded.find('\\'); at != std::string::npos;
       at = folded.find('\\', at + 1)) {
    keys_[{root, folded.substr(0, at)}];
  }
  keys_[{root, folded}][Fold(name)] = RegistryValue{type, data};
  return true;
}

bool SimRegistry::QueryString(platform::RegistryRoot root, const std::string& key,
                              const std::string& name, std::string& value) {
  const auto found = Find(root, key, name);
  if (!found || found->type != platform::kRegSz) return false;
  value.assign(found->data.begin(), found->data.end());
  while (!value.empty() && value.back() == '\0') value.pop_back();
  return true;
}

std::optional<RegistryValue> SimRegistry::Find(platform::RegistryRoot root, const std::string& key,
                                               const std::string& name) const {
  const auto k = keys_.find({root, FoldKey(key)});
  if (k == keys_.end()) return std::nullopt;
  const auto v = k->second.find(Fold(name));
  if (v == k->second.end()) return std::nullopt;
  return v->second;
}

bool SimRegistry::QueryValue(platform::RegistryRoot root, const std::string& key,
                             const std::string& name, format::RegistryData& value) {
  const auto found = Find(root, key, name);
  if (!found) return false;
  value.type = found->type;
  value.bytes = found->data;
  return true;
}

bool SimRegistry::KeyExists(platform::RegistryRoot root, const std::string& key) {
  return keys_.count({root, FoldKey(key)}) != 0;
}

std::size_t SimRegistry::ValueCount() const {
  std::size_t count = 0;
  for (const auto& key : keys_) count += key.second.size();
  return count;
}

void SimRegistry::AddKey(platform::RegistryRoot root, const std::string& key) {
  const std::string folded = FoldKey(key);
  for (std::size_t at = folded.find('\\'); at != std::string::npos;
       at = folded.find('\\', at + 1)) {
    keys_[{root, folded.substr(0, at)}];
  }
  keys_[{root, folded}];
}

bool SimRegistry::HasSubkey(platform::RegistryRoot root, const std::string& foldedKey) const {
  const std::string prefix = foldedKey + "\\";
  const auto next = keys_.lower_bound({root, prefix});
  return next != keys_.end() && next->first.first == root &&
         next->first.second.rfind(prefix, 0) == 0;
}

platform::Removal::KeyContent SimRegistry::ContentOf(platform::RegistryRoot root,
                                                     const std::string& key) {
  using KeyContent = platform::Removal::KeyContent;
  const std::string folded = FoldKey(key);
  const auto found = keys_.find({root, folded});
  if (found == keys_.end()) return KeyContent::Missing;
  if (!found->second.empty()) return KeyContent::NotEmpty;
  return HasSubkey(root, folded) ? KeyContent::NotEmpty : KeyContent::Empty;
}

bool SimRegistry::DeleteValue(platform::RegistryRoot root, const std::string& key,
                              const std::string& name) {
  if (std::find(denied_.begin(), denied_.end(), root) != denied_.end()) return false;
  const auto found = keys_.find({root, FoldKey(key)});
  if (found != keys_.end()) found->second.erase(Fold(name));
  return true;
}

bool SimRegistry::DeleteKey(platform::RegistryRoot root, const std::string& key) {
  if (std::find(denied_.begin(), denied_.end(), root) != denied_.end()) return false;
  const std::string folded = FoldKey(key);
  if (folded.empty()) return false;
  const auto found = keys_.find({root, folded});
  if (found == keys_.end()) return true;
  if (HasSubkey(root, folded)) return false;  // as RegDeleteKeyA refuses
  keys_.erase(found);
  return true;
}

}  // namespace sim
