#include "mksetup/commands/winget_manifest.h"

#include <cstdint>
#include <string_view>
#include <utility>

#include "format/exit_codes.h"

namespace mksetup {
namespace {

using format::ExitCode;

constexpr const char* kManifestVersion = "1.6.0";
constexpr const char* kLocale = "en-US";

// Every exit code but 0, with what winget is to make of it.
struct ReturnCode {
  unsigned code;
  const char* response;
};
constexpr ReturnCode kReturnCodes[] = {
    {static_cast<unsigned>(ExitCode::Cancelled), "cancelledByUser"},
    {static_cast<unsigned>(ExitCode::InstalledWithErrors), "custom"},
    {static_cast<unsigned>(ExitCode::BadCommandLine), "invalidParameter"},
    {static_cast<unsigned>(ExitCode::DamagedSetup), "custom"},
    {static_cast<unsigned>(ExitCode::NoStaging), "custom"},
    {static_cast<unsigned>(ExitCode::InstallInProgress), "installInProgress"},
    {3010, "rebootRequiredToFinish"},  // a file is replaced at the next restart
};

// Windows-1252's 0x80 to 0x9F; the five bytes it leaves undefined keep
// their own number, as Windows maps them.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Characters, as the format counts lengths; 0 for text that is not UTF-8.
std::size_t CharacterCount(std::string_view text, bool& valid) {
  std::size_t count = 0;
  valid = true;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                               : lead >= 0xE0                ? 3
                               : lead >= 0xC2                ? 2
                                                             : 0;
    if (length == 0 || i + length > text.size()) {
      valid = false;
      return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
        valid = false;
        return 0;
      }
    }
    i += length;
    ++count;
  }
  return count;
}

// A YAML double-quoted string: control characters (C0, DEL, C1) escaped.
std::string Quoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else if (c == 0xC2 && i + 1 < text.size() &&
               static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      const auto low = static_cast<unsigned char>(text[++i]);
      out += "\\u00";
      out += kHex[low >> 4];
      out += kHex[low & 0xF];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Field(const char* indent, const char* key, std::string_view value) {
  return std::string(indent) + key + ": " + Quoted(value) + "\n";
}

// Holds none of the characters the identifier and version patterns refuse:
// \ / : * ? " < > | and controls; blanks and "." too when strict.
bool PlainName(std::string_view text, bool strict) {
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) return false;
    if (strict && (c == '.' || c == ' ' || c == '\t' || c == '\x7F')) return false;
  }
  return true;
}

bool ValidIdentifier(const std::string& id) {
  if (id.size() > 128) return false;
  std::size_t parts = 0;
  for (std::size_t start = 0; start <= id.size(); ++parts) {
    std::size_t end = id.find('.', start);
    if (end == std::string::npos) end = id.size();
    bool valid = false;
    const std::size_t length =
        CharacterCount(std::string_view(id).substr(start, end - start), valid);
    if (!valid || length < 1 || length > 32 ||
        !PlainName(std::string_view(id).substr(start, end - start), true))
      return false;
    start = end + 1;
  }
  return parts >= 2 && parts <= 8;
}

bool IsHttpUrl(const std::string& url) {
  const std::size_t colon = url.find("://");
  if (colon == std::string::npos || colon + 3 >= url.size() || url.size() > 2048) return false;
  std::string scheme = url.substr(0, colon);
  for (char& c : scheme) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return scheme == "http" || scheme == "https";
}

std::string Head(const WingetPackage& package) {
  return "# Made by mksetup winget.\n" + Field("", "PackageIdentifier", package.id) +
         Field("", "PackageVersion", package.version);
}

std::string Tail(const char* type) {
  return Field("", "ManifestType", type) + Field("", "ManifestVersion", kManifestVersion);
}

}  // namespace

std::string Utf8FromWindows1252(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte);
  }
  return out;
}

std::string WingetPackageProblem(const WingetPackage& package) {
  if (!ValidIdentifier(package.id)) {
    return "the identifier '" + package.id +
           "' is not PUBLISHER.PRODUCT: 2 to 8 parts of 1 to 32 characters separated by '.', "
           "without blanks or \\/:*?\"<>|";
  }
  if (!IsHttpUrl(package.url)) return "the URL '" + package.url + "' is not an http or https URL";
  struct Text {
    const char* what;
    const std::string& text;
    std::size_t shortest;
    std::size_t longest;
  };
  const Text texts[] = {
      {"version (PackageVersion)", package.version, 1, 128},
      {"name (PackageName)", package.name, 2, 256},
      {"publisher (Publisher)", package.publisher, 2, 256},
      {"licence (License)", package.license, 3, 512},
      {"description (ShortDescription)", package.shortDescription, 3, 256},
      // From the setup script; an empty one is left out.
      {"product name (DisplayName)", package.displayName, 0, 256},
      {"company name (Publisher)", package.displayPublisher, 0, 256},
      {"product version (DisplayVersion)", package.displayVersion, 0, 128},
      {"uninstall key's name (ProductCode)", package.productCode, 0, 255},
  };
  for (const Text& text : texts) {
    bool valid = false;
    const std::size_t length = CharacterCount(text.text, valid);
    if (!valid) return std::string("the ") + text.what + " is not UTF-8 text";
    if (length < text.shortest || length > text.longest) {
      return std::string("the ") + text.what + " '" + text.text + "' must have " +
             std::to_string(text.shortest) + " to " + std::to_string(text.longest) + " characters";
    }
  }
  if (!PlainName(package.version, false))
    return "the version '" + package.version + "' holds one of \\/:*?\"<>|";
  return {};
}

std::vector<ManifestFile> WingetManifestFiles(const WingetPackage& package) {
  const std::string version = Head(package) + Field("", "DefaultLocale", kLocale) + Tail("version");

  const std::string locale =
      Head(package) + Field("", "PackageLocale", kLocale) +
      Field("", "Publisher", package.publisher) + Field("", "PackageName", package.name) +
      Field("", "License", package.license) +
      Field("", "ShortDescription", package.shortDescription) + Tail("defaultLocale");

  // What each scope asks of winget: a machine install asks for
  // administrator rights itself (its manifest); a per-user one must run as
  // the user, never elevated, which under Administrator protection would be
  // another account with a profile of its own.
  const auto scopeFields = [](const char* indent, const std::string& scope) {
    return Field(indent, "Scope", scope) +
           Field(indent, "ElevationRequirement",
                 scope == "user" ? "elevationProhibited" : "elevatesSelf");
  };
  const bool either = package.scope == "either";
  std::string installer = Head(package) + Field("", "InstallerType", "exe") +
                          (either ? std::string() : scopeFields("", package.scope)) +
                          "InstallerSwitches:\n" + Field("  ", "Silent", "/VERYSILENT") +
                          Field("  ", "SilentWithProgress", "/SILENT") +
                          Field("  ", "InstallLocation", "/DIR=\"<INSTALLPATH>\"") +
                          Field("  ", "Log", "/LOG=\"<LOGPATH>\"") + "ExpectedReturnCodes:\n";
  for (const ReturnCode& code : kReturnCodes) {
    installer += "- InstallerReturnCode: " + std::to_string(code.code) + "\n" +
                 Field("  ", "ReturnResponse", code.response);
  }
  installer += Field("", "UpgradeBehavior", "install");
  // The programs list's entry as the setup program writes it; a value it
  // leaves empty is left out.
  std::string entry;
  const std::pair<const char*, const std::string*> values[] = {
      {"DisplayName", &package.displayName},
      {"Publisher", &package.displayPublisher},
      {"DisplayVersion", &package.displayVersion},
      {"ProductCode", &package.productCode},
  };
  for (const auto& [key, value] : values) {
    if (!value->empty()) entry += Field(entry.empty() ? "- " : "  ", key, *value);
  }
  if (!package.productCode.empty()) installer += Field("", "ProductCode", package.productCode);
  if (!entry.empty()) installer += "AppsAndFeaturesEntries:\n" + entry;
  installer += "Installers:\n";
  const auto entryFor = [&](const std::string& scope, const char* selector) {
    std::string text = Field("- ", "Architecture", package.architecture) +
                       Field("  ", "InstallerUrl", package.url) +
                       Field("  ", "InstallerSha256", package.sha256);
    if (selector != nullptr) {
      text +=
          scopeFields("  ", scope) + "  InstallerSwitches:\n" + Field("    ", "Custom", selector);
    }
    return text;
  };
  if (either) {
    installer += entryFor("user", "/CURRENTUSER") + entryFor("machine", "/ALLUSERS");
  } else {
    installer += entryFor(package.scope, nullptr);
  }
  installer += Tail("installer");

  return {
      {package.id + ".yaml", version},
      {package.id + ".locale." + kLocale + ".yaml", locale},
      {package.id + ".installer.yaml", installer},
  };
}

}  // namespace mksetup
