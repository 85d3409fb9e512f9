#include "mksetup/commands/cli.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "mksetup/commands/commands.h"

namespace mksetup {
namespace {

int Usage(Console& console, const std::string& problem) {
  console.err("mksetup: " + problem + "\nTry 'mksetup --help'.\n");
  return kExitUsage;
}

bool IsHelp(const std::string& argument) {
  return argument == "--help" || argument == "-h" || argument == "help";
}

// Options of one command: each known option at most once, given as
// "--name VALUE" or "--name=VALUE"; other arguments are positional.
struct ParsedOptions {
  std::vector<std::pair<std::string, std::string>> values;
  std::vector<std::string> positional;
  bool help = false;

  const std::string* Find(const std::string& name) const {
    for (const auto& [key, value] : values) {
      if (key == name) return &value;
    }
    return nullptr;
  }
};

// Digits, then K, M or G for KiB, MiB or GiB; false for anything else and
// for a count past 64 bits.
bool ParseByteCount(const std::string& text, std::uint64_t& bytes) {
  std::size_t digits = 0;
  std::uint64_t count = 0;
  for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
    const unsigned digit = static_cast<unsigned>(text[digits] - '0');
    if (count > (UINT64_MAX - digit) / 10) return false;
    count = count * 10 + digit;
  }
  if (digits == 0 || text.size() > digits + 1) return false;
  const std::string units = "KMG";
  const std::size_t unit = digits == text.size() ? std::string::npos : units.find(text[digits]);
  if (digits < text.size() && unit == std::string::npos) return false;
  const unsigned shift = unit == std::string::npos ? 0 : 10 * static_cast<unsigned>(unit + 1);
  if (count > (UINT64_MAX >> shift)) return false;
  bytes = count << shift;
  return true;
}

bool ParseOptions(const std::vector<std::string>& arguments, std::size_t first,
                  const std::vector<std::string>& known, ParsedOptions& parsed,
                  std::string& problem) {
  for (std::size_t i = first; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (IsHelp(argument) && argument != "help") {
      parsed.help = true;
      continue;
    }
    if (argument.size() < 2 || argument[0] != '-') {
      parsed.positional.push_back(argument);
      continue;
    }
    std::string name = argument;
    std::string value;
    bool hasValue = false;
    if (const std::size_t equals = argument.find('=');
        argument.starts_with("--") && equals != std::string::npos) {
      name = argument.substr(0, equals);
      value = argument.substr(equals + 1);
      hasValue = true;
    }
    bool isKnown = false;
    for (const std::string& option : known) isKnown = isKnown || option == name;
    if (!isKnown) {
      problem = "unknown option '" + name + "'";
      return false;
    }
    if (parsed.Find(name) != nullptr) {
      problem = "option '" + name + "' is given twice";
      return false;
    }
    if (!hasValue) {
      if (i + 1 >= arguments.size()) {
        problem = "option '" + name + "' needs a value";
        return false;
      }
      value = arguments[++i];
    }
    if (value.empty()) {
      problem = "option '" + name + "' needs a value";
      return false;
    }
    parsed.values.emplace_back(name, value);
  }
  return true;
}

int Build(std::vector<std::string> arguments, Console& console) {
  // The one option without a value.
  const auto solidFlag = std::find(arguments.begin(), arguments.end(), "--solid");
  const bool solid = solidFlag != arguments.end();
  if (solid) arguments.erase(solidFlag);
  ParsedOptions parsed;
  std::string problem;
  if (!ParseOptions(arguments, 1,
                    {"--script", "--files", "--stub", "--arch", "-o", "--output", "--jobs",
                     "--codec", "--scope"},
                    parsed, problem)) {
    return Usage(console, "build: " + problem);
  }
  if (parsed.help) {
    console.out(HelpText());
    return kExitOk;
  }
  if (!parsed.positional.empty())
    return Usage(console, "build: unexpected argument '" + parsed.positional[0] + "'");
  if (parsed.Find("-o") != nullptr && parsed.Find("--output") != nullptr) {
    return Usage(console, "build: give the output once, with -o or --output");
  }
  BuildOptions options;
  const auto take = [&](const char* name, std::string& into) {
    if (const std::string* value = parsed.Find(name)) into = *value;
  };
  take("--script", options.script);
  take("--files", options.files);
  take("--stub", options.stub);
  take("-o", options.output);
  take("--output", options.output);
  if (const std::string* arch = parsed.Find("--arch")) {
    if (!ParseArchitecture(*arch, options.arch)) {
      return Usage(console, "build: --arch takes x86 or x64, not '" + *arch + "'");
    }
    options.archGiven = true;
  }
  if (const std::string* codec = parsed.Find("--codec")) {
    if (*codec == "lzma") {
      options.codec = Codec::Lzma;
    } else if (*codec != "lzw") {
      return Usage(console, "build: --codec takes lzw or lzma, not '" + *codec + "'");
    }
  }
  if (const std::string* scope = parsed.Find("--scope")) {
    if (!format::ParseScopeName(*scope, options.scope)) {
      return Usage(console, "build: --scope takes machine, user or either, not '" + *scope + "'");
    }
  }
  if (solid && options.codec != Codec::Lzma)
    return Usage(console, "build: --solid needs --codec lzma");
  options.solid = solid;
  if (options.script.empty()) return Usage(console, "build: missing --script SCRIPT");
  if (options.files.empty()) return Usage(console, "build: missing --files DIR");
  if (options.output.empty()) return Usage(console, "build: missing -o SETUP.exe");
  if (const std::string* jobs = parsed.Find("--jobs")) {
    // A count from 1 to 256; the setup program is the same for any.
    unsigned count = 0;
    for (const char digit : *jobs) {
      if (digit < '0' || digit > '9' || count > 256)
        return Usage(console, "build: --jobs takes a number from 1 to 256");
      count = count * 10 + static_cast<unsigned>(digit - '0');
    }
    if (count < 1 || count > 256)
      return Usage(console, "build: --jobs takes a number from 1 to 256");
    options.jobs = count;
  }
  return RunBuild(options, console);
}

int List(const std::vector<std::string>& arguments, Console& console) {
  ParsedOptions parsed;
  std::string problem;
  if (!ParseOptions(arguments, 1, {}, parsed, problem)) return Usage(console, "list: " + problem);
  if (parsed.help) {
    console.out(HelpText());
    return kExitOk;
  }
  if (parsed.positional.size() != 1)
    return Usage(console, "list: give one setup program: mksetup list SETUP.exe");
  return RunList(parsed.positional[0], console);
}

int Extract(std::vector<std::string> arguments, Console& console) {
  // The one option without a value.
  const auto flag = std::find(arguments.begin(), arguments.end(), "--ignore-checksum");
  const bool ignoreChecksum = flag != arguments.end();
  if (ignoreChecksum) arguments.erase(flag);
  ParsedOptions parsed;
  std::string problem;
  if (!ParseOptions(arguments, 1, {"-C", "--max-size"}, parsed, problem))
    return Usage(console, "extract: " + problem);
  if (parsed.help) {
    console.out(HelpText());
    return kExitOk;
  }
  if (parsed.positional.size() != 1) {
    return Usage(console, "extract: give one setup program: mksetup extract SETUP.exe -C DIR");
  }
  const std::string* folder = parsed.Find("-C");
  if (folder == nullptr) return Usage(console, "extract: missing -C DIR");
  std::uint64_t maxSize = kDefaultMaxExtractSize;
  if (const std::string* limit = parsed.Find("--max-size")) {
    if (!ParseByteCount(*limit, maxSize)) {
      return Usage(console,
                   "extract: --max-size takes a number of bytes, with K, M or G for "
                   "KiB, MiB or GiB, not '" +
                       *limit + "'");
    }
  }
  return RunExtract(parsed.positional[0], *folder, ignoreChecksum, console, maxSize);
}

int Winget(const std::vector<std::string>& arguments, Console& console) {
  ParsedOptions parsed;
  std::string problem;
  if (!ParseOptions(arguments, 1,
                    {"--id", "--url", "--out", "--name", "--publisher", "--version", "--license",
                     "--description"},
                    parsed, problem)) {
    return Usage(console, "winget: " + problem);
  }
  if (parsed.help) {
    console.out(HelpText());
    return kExitOk;
  }
  if (parsed.positional.size() != 1) {
    return Usage(console,
                 "winget: give one setup program: mksetup winget SETUP.exe --id PUBLISHER.PRODUCT "
                 "--url URL --out DIR --license TEXT --description TEXT");
  }
  WingetOptions options;
  options.setup = parsed.positional[0];
  struct Value {
    const char* option;
    std::string* into;
    bool required;
  };
  const Value values[] = {
      {"--id", &options.id, true},
      {"--url", &options.url, true},
      {"--out", &options.output, true},
      {"--license", &options.license, true},
      {"--description", &options.description, true},
      {"--name", &options.name, false},
      {"--publisher", &options.publisher, false},
      {"--version", &options.version, false},
  };
  for (const Value& value : values) {
    if (const std::string* given = parsed.Find(value.option)) {
      *value.into = *given;
    } else if (value.required) {
      return Usage(console, std::string("winget: missing ") + value.option);
    }
  }
  return RunWinget(options, console);
}

}  // namespace

std::string HelpText() {
  return std::string(
             "Usage:\n"
             "  mksetup build --script SCRIPT --files DIR [--arch x86|x64] [--stub RUNTIME.exe]\n"
             "                [--codec lzw|lzma [--solid]] [--scope machine|user] [--jobs N]\n"
             "                -o SETUP.exe\n"
             "  mksetup list SETUP.exe\n"
             "  mksetup extract SETUP.exe -C DIR [--ignore-checksum] [--max-size BYTES]\n"
             "  mksetup winget SETUP.exe --id PUBLISHER.PRODUCT --url URL --out DIR\n"
             "                 --license TEXT --description TEXT [--name TEXT]\n"
             "                 [--publisher TEXT] [--version TEXT]\n"
             "  mksetup --help\n"
             "\n"
             "build    Makes a setup program: checks the setup script against the folder of\n"
             "         files, collects the payload archive (the script as \"log_file.txt\",\n"
             "         the licence text, the files of \"[fls]\", the \"[logo]\" and \"[Header]\"\n"
             "         images, \"UnInstaller.exe\" and \"Remove Uninstaller.exe\"), and writes\n"
             "         it into a copy of the setup runtime as resource IDR_EXE #129.\n"
             "         When the first line of \"[fls]\" is \"1\", every entry but the script,\n"
             "         the licence text and the two uninstall programs is compressed (LZW,\n"
             "         or LZMA with --codec lzma).\n"
             "         The two uninstall programs come from DIR when it holds them (with a\n"
             "         note), otherwise from uninstaller.exe and remover.exe in the folder\n"
             "         of mksetup (uninstaller64.exe and remover64.exe for a 64-bit runtime).\n"
             "         Problems are reported as SCRIPT:LINE: error|warning|note: ...; an error\n"
             "         stops the build and nothing is written. SETUP.exe is replaced only\n"
             "         once the new one is complete.\n"
             "  --script SCRIPT    the setup script\n"
             "  --files DIR        the folder that holds the files the script names\n"
             "  --arch x86|x64     the setup runtime's architecture (default x86): an x86\n"
             "                     setup installs into the 32-bit program files folder and\n"
             "                     registry view, an x64 one into the 64-bit ones\n"
             "  --stub RUNTIME.exe the setup runtime; default: ") +
         kRuntimeFileName + " (x86) or " + kRuntime64FileName +
         " (x64) in the folder of mksetup,\n"
         "                     " +
         kLzmaRuntimeFileName + " or " + kLzmaRuntime64FileName +
         " with --codec lzma\n"
         "  -o, --output SETUP.exe  the setup program to write\n"
         "  --jobs N           compress on N threads (1 to 256; default: one per\n"
         "                     processor); the setup program is the same for any N\n"
         "  --codec lzw|lzma   how compressed entries are stored (default lzw): LZMA\n"
         "                     makes much smaller setup programs and needs the LZMA\n"
         "                     runtime (about 7 KB larger)\n"
         "  --solid            with --codec lzma: the compressed entries after the\n"
         "                     script form one stream, so what files share is stored\n"
         "                     once (smallest; built on one thread)\n"
         "  --scope machine|user  whom the setup program installs for (default machine):\n"
         "                     machine asks for administrator rights and installs into\n"
         "                     the program files folder under HKEY_LOCAL_MACHINE; user\n"
         "                     never asks, and installs into %LocalAppData%\\Programs\n"
         "                     under HKEY_CURRENT_USER (either, the person's choice,\n"
         "                     is not yet supported)\n"
         "\n"
         "list     Lists the entries of a setup program: stored size, how the setup\n"
         "         program decodes the entry (yes: LZW, lzma, solid: part of the solid\n"
         "         LZMA stream, no: stored as it is), decoded size, name.\n"
         "\n"
         "extract  Writes the entries into DIR as the setup program leaves them in its\n"
         "         staging folder, decoded where it decodes them. Each file is made\n"
         "         anew: a link in DIR under an entry's name is replaced, never written\n"
         "         through.\n"
         "  -C DIR             the folder to write into (created when missing)\n"
         "  --ignore-checksum  extract even when the archive does not match its\n"
         "                     checksum (refused otherwise, with exit status 1)\n"
         "  --max-size BYTES   refuse, before writing anything, entries that decode\n"
         "                     to more (default 4G; K, M, G: KiB, MiB, GiB); more\n"
         "                     than DIR's drive has free is refused too\n"
         "\n"
         "winget   Writes the three files of a winget manifest (ManifestVersion 1.6.0)\n"
         "         for the setup program into DIR: ID.yaml, ID.locale.en-US.yaml and\n"
         "         ID.installer.yaml, with its architecture, SHA-256, switches, exit\n"
         "         codes and programs-list entry. PackageName, Publisher and\n"
         "         PackageVersion come from the setup script's header unless given.\n"
         "  --id PUBLISHER.PRODUCT  the package identifier\n"
         "  --url URL          where winget downloads the setup program (http, https)\n"
         "  --out DIR          the folder to write into (created when missing)\n"
         "  --license TEXT     the licence, such as MIT or Proprietary\n"
         "  --description TEXT a short description\n"
         "\n"
         "Exit status: 0 done, 1 errors in the input or a file that cannot be used,\n"
         "2 a wrong command line.\n";
}

int RunCommandLine(const std::vector<std::string>& arguments, Console& console) {
  if (arguments.empty()) return Usage(console, "no command given");
  const std::string& command = arguments[0];
  if (IsHelp(command)) {
    console.out(HelpText());
    return kExitOk;
  }
  if (command == "build") return Build(arguments, console);
  if (command == "list") return List(arguments, console);
  if (command == "extract") return Extract(arguments, console);
  if (command == "winget") return Winget(arguments, console);
  return Usage(console, "unknown command '" + command + "'");
}

}  // namespace mksetup
