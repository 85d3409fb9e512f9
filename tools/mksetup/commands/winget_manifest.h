// The three files of a multi-file winget manifest (version, default locale,
// installer) for a setup program: ManifestVersion 1.6.0, the setup
// program's switches and exit codes, and its entry in the programs list.
#pragma once

#include <string>
#include <vector>

namespace mksetup {

struct WingetPackage {
  std::string id;                // PUBLISHER.PRODUCT
  std::string version;           // PackageVersion
  std::string name;              // PackageName
  std::string publisher;         // Publisher
  std::string license;           // License
  std::string shortDescription;  // ShortDescription
  std::string url;               // InstallerUrl
  std::string sha256;            // InstallerSha256, 64 hexadecimal digits
  std::string architecture;      // "x86" or "x64"
  // "machine", "user" or "either" (format/payload_contract.h): Scope and
  // ElevationRequirement, and for either one installer of each scope with
  // the switch that selects it.
  std::string scope = "machine";
  // What the setup program writes into the programs list: the uninstall
  // key's name, DisplayName, Publisher and DisplayVersion.
  std::string productCode;
  std::string displayName;
  std::string displayPublisher;
  std::string displayVersion;
};

struct ManifestFile {
  std::string name;  // ID.yaml, ID.locale.en-US.yaml, ID.installer.yaml
  std::string text;
};

// Why the package cannot make a manifest the format accepts (an identifier,
// version, URL or text of the wrong shape or length); empty when it can.
std::string WingetPackageProblem(const WingetPackage& package);

// The three files, UTF-8, every text a double-quoted YAML string.
std::vector<ManifestFile> WingetManifestFiles(const WingetPackage& package);

// Text of the setup script (Windows-1252, as the programs list shows it on
// western systems) as UTF-8.
std::string Utf8FromWindows1252(const std::string& text);

}  // namespace mksetup
