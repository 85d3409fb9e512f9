// mksetup winget: a winget manifest for a built setup program.
#include <cstring>

#include "format/payload_contract.h"
#include "mksetup/commands/commands.h"
#include "mksetup/commands/winget_manifest.h"
#include "mksetup/host/host_files.h"
#include "mksetup/payload/setup_payload.h"
#include "mksetup/script_checks/script_text.h"
#include "package/sha256/sha256.h"
#include "format/uninstall_key.h"

namespace mksetup {
namespace {

// The header lines the manifest names: product name, wizard title, version,
// company.
constexpr std::size_t kHeadLines = 4;
// The wizard keeps this much of each header line.
constexpr std::size_t kFieldLength = 259;

int Fail(Console& console, const std::string& message) {
  console.err("mksetup: error: " + message + "\n");
  return kExitFailure;
}

std::string UpperHex(const package::Sha256Digest& digest) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (const std::uint8_t byte : digest) {
    text += kHex[byte >> 4];
    text += kHex[byte & 0xF];
  }
  return text;
}

}  // namespace

int RunWinget(const WingetOptions& options, Console& console) {
  SetupPayload payload;
  std::string error;
  if (!ReadSetupPayload(options.setup, payload, error)) return Fail(console, error);
  // The script the setup program stages last under its name.
  const format::ArchiveEntry* script = nullptr;
  for (const format::ArchiveEntry& entry : payload.entries) {
    if (entry.name == format::kScriptEntryName) script = &entry;
  }
  std::vector<std::string> head;
  if (script != nullptr) head = SplitScriptLines({script->data, script->size}).lines;
  if (head.size() < kHeadLines)
    return Fail(console, options.setup + ": its setup script has no header of four lines");
  head.resize(kHeadLines);
  for (std::string& line : head) line = line.substr(0, kFieldLength);
  const std::string& productName = head[0];

  WingetPackage package;
  package.id = options.id;
  package.url = options.url;
  package.displayName = Utf8FromWindows1252(productName);
  package.displayVersion = Utf8FromWindows1252(head[2]);
  package.displayPublisher = Utf8FromWindows1252(head[3]);
  const std::string key = format::UninstallKey(productName);
  if (!key.empty()) {
    package.productCode = Utf8FromWindows1252(key.substr(std::strlen(format::kUninstallKeyPrefix)));
  }
  package.name = options.name.empty() ? package.displayName : options.name;
  package.publisher = options.publisher.empty() ? package.displayPublisher : options.publisher;
  package.version = options.version.empty() ? package.displayVersion : options.version;
  package.license = options.license;
  package.shortDescription = options.description;
  package.architecture = payload.is64 ? "x64" : "x86";
  if (!payload.scopeKnown) {
    return Fail(console, options.setup + ": its scope resource holds " + payload.scopeText +
                             ", which is no scope: the setup program refuses it as damaged");
  }
  package.scope = ::format::ScopeName(payload.scope);
  package.sha256 = UpperHex(package::Sha256Of(payload.file->Bytes()));
  if (const std::string problem = WingetPackageProblem(package); !problem.empty())
    return Fail(console, problem);

  if (!MakeFolders(options.output, error)) return Fail(console, error);
  for (const ManifestFile& file : WingetManifestFiles(package)) {
    const std::string path = JoinPath(options.output, file.name);
    if (!ReplaceFile(path,
                     {reinterpret_cast<const std::uint8_t*>(file.text.data()), file.text.size()},
                     error)) {
      return Fail(console, error);
    }
    console.out("wrote " + path + "\n");
  }
  return kExitOk;
}

}  // namespace mksetup
