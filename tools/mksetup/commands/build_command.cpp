// mksetup build: read and check everything first, then store the archive,
// write it into a copy of the runtime, and put the result in place in one
// rename, so a failed build leaves the previous output as it was.
#include <cstdio>

#include "mksetup/payload/stored_archive.h"
#include "mksetup/payload/build_plan.h"
#include "mksetup/commands/commands.h"
#include "mksetup/host/host_files.h"
#include "mksetup/pe/pe_image.h"
#include "mksetup/pe/pe_resources.h"
#include "mksetup/commands/progress.h"
#include "mksetup/commands/runtime_codecs.h"
#include "mksetup/commands/runtime_scopes.h"
#include "mksetup/pe/program_scope.h"
#include "mksetup/script_checks/script_check.h"
#include "mksetup/script_checks/script_text.h"
#include "mksetup/script_checks/user_scope_check.h"

namespace mksetup {
namespace {

int Fail(Console& console, const std::string& message) {
  console.err("mksetup: error: " + message + "\n");
  return kExitFailure;
}

void Warn(Console& console, const std::string& message) {
  console.err("mksetup: warning: " + message + "\n");
}

std::string Percent(std::uint64_t part, std::uint64_t whole) {
  if (whole == 0) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.1f%%",
                100.0 * static_cast<double>(part) / static_cast<double>(whole));
  return text;
}

// The stub must be a Windows program the resource writer can handle and
// decode what --codec makes. A stub of the other architecture than --arch
// names is most likely a mistake.
bool ReadStub(const std::string& path, const BuildOptions& options,
              std::vector<std::uint8_t>& image, Architecture& stubArch, Console& console,
              std::string& error) {
  std::string why;
  if (KindOf(path) == PathKind::Folder) {
    error = "the setup runtime " + path + " is a folder";
    return false;
  }
  if (!ReadWholeFile(path, image, why)) {
    error = "cannot read the setup runtime " + path + ": " + why;
    return false;
  }
  PeImage pe;
  if (!ParsePeImage(image, pe, why)) {
    error = "the setup runtime " + path + " is not a usable Windows program: " + why;
    return false;
  }
  stubArch = pe.is64 ? Architecture::X64 : Architecture::X86;
  if (options.archGiven && stubArch != options.arch) {
    Warn(console, "the setup runtime " + path + " is a " + (pe.is64 ? "64" : "32") +
                      "-bit program, not the " + ArchitectureName(options.arch) +
                      " one that --arch asks for");
  }
  const RuntimeCodecs codecs = RuntimeCodecsOf(image, pe);
  if (!codecs.Decodes(options.codec)) {
    error = RuntimeCodecMismatch(path, codecs, options.codec);
    return false;
  }
  if (!RuntimeScopesOf(image, pe).Installs(options.scope)) {
    error = RuntimeScopeMismatch(path, options.scope);
    return false;
  }
  return true;
}

// A per-user setup program's uninstaller must start without administrator
// rights as well, and look for the product under HKEY_CURRENT_USER: the
// carried UnInstaller.exe gets the setup program's scope.
bool ScopeUninstaller(BuildPlan& plan, format::InstallScope scope, Console& console,
                      std::string& error) {
  if (scope == format::InstallScope::Machine) return true;
  for (PlannedEntry& entry : plan.entries) {
    if (entry.role != EntryRole::Uninstaller || entry.name != format::kUninstallerEntryName)
      continue;
    std::vector<std::uint8_t> bytes;
    std::string why;
    if (!ReadWholeFile(entry.sourcePath, bytes, why)) {
      error = "cannot read " + entry.sourcePath + ": " + why;
      return false;
    }
    // One that is already of the scope (signed after an earlier build made
    // it so) goes in as it is, signature and all.
    if (IsProgramOfScope(bytes, scope)) continue;
    ResourceWriteNotes notes;
    if (!WriteProgramScope(bytes, scope, entry.rewritten, why, &notes)) {
      error = "cannot make the uninstall program " + entry.sourcePath + " one for " +
              format::ScopeName(scope) + " scope: " + why;
      return false;
    }
    if (notes.removedSignature) {
      Warn(console, "the uninstall program " + entry.sourcePath +
                        " was signed; setting its scope removed the signature: sign the "
                        "UnInstaller.exe that mksetup extract takes out of this setup program, "
                        "and build with that one");
    }
    entry.size = entry.rewritten.size();
  }
  return true;
}

bool CheckOutputPlace(const std::string& output, std::string& error) {
  if (KindOf(output) == PathKind::Folder) {
    error = "the output " + output + " is a folder";
    return false;
  }
  const std::size_t slash = output.find_last_of(
#if defined(_WIN32)
      "\\/:"
#else
      "/"
#endif
  );
  if (slash == std::string::npos) return true;
  const std::string folder = output.substr(0, slash + 1);
  if (KindOf(folder) != PathKind::Folder) {
    error = "the output's folder " + folder + " does not exist";
    return false;
  }
  return true;
}

// The toolkit's uninstall programs beside mksetup; a path stays empty when
// its file is not there.
ToolkitUninstallers FindToolkitUninstallers(Architecture arch) {
  ToolkitUninstallers found;
  const std::string folder = RunningExecutableFolder();
  if (folder.empty()) return found;
  const bool is64 = arch == Architecture::X64;
  found.uninstallerSought =
      JoinPath(folder, is64 ? kToolkitUninstaller64FileName : kToolkitUninstallerFileName);
  found.removerSought =
      JoinPath(folder, is64 ? kToolkitRemover64FileName : kToolkitRemoverFileName);
  const auto fileAt = [](const std::string& path) {
    return KindOf(path) == PathKind::File ? path : std::string();
  };
  found.uninstaller = fileAt(found.uninstallerSought);
  found.remover = fileAt(found.removerSought);
  return found;
}

}  // namespace

int RunBuild(const BuildOptions& options, Console& console) {
  // Everything is read before anything is written.
  std::vector<std::uint8_t> scriptBytes;
  std::string why;
  if (KindOf(options.script) == PathKind::Folder)
    return Fail(console, "the script " + options.script + " is a folder");
  if (!ReadWholeFile(options.script, scriptBytes, why)) {
    return Fail(console, "cannot read the script " + options.script + ": " + why);
  }
  switch (KindOf(options.files)) {
    case PathKind::Missing:
      return Fail(console, "the folder of files " + options.files + " does not exist");
    case PathKind::File:
    case PathKind::Other:
      return Fail(console, options.files + " is not a folder");
    case PathKind::Folder:
      break;
  }
  std::vector<std::string> folderNames;
  if (!ListFolderNames(options.files, folderNames, why)) {
    return Fail(console, "cannot list the folder of files " + options.files + ": " + why);
  }
  std::string stubPath = options.stub;
  if (stubPath.empty()) {
    stubPath = DefaultRuntimePath(options.arch, options.codec);
    if (stubPath.empty() || KindOf(stubPath) == PathKind::Missing) {
      return Fail(console, std::string("no --stub given and no ") +
                               RuntimeFileName(options.arch, options.codec) + " beside mksetup" +
                               (stubPath.empty() ? "" : " (" + stubPath + ")") +
                               ": build the toolkit with scripts/build");
    }
  }
  std::vector<std::uint8_t> stub;
  // The uninstall programs match the setup program's own architecture.
  Architecture setupArch = options.arch;
  if (!ReadStub(stubPath, options, stub, setupArch, console, why)) return Fail(console, why);
  if (!CheckOutputPlace(options.output, why)) return Fail(console, why);

  const ScriptText script = SplitScriptLines(scriptBytes);
  Diagnostics diagnostics;
  CheckScript(script, diagnostics);
  if (options.scope != format::InstallScope::Machine) CheckUserScopeScript(script, diagnostics);
  BuildPlan plan = MakeBuildPlan(script, scriptBytes.size(), options.files, folderNames,
                                 diagnostics, FindToolkitUninstallers(setupArch));
  for (const Diagnostic& d : diagnostics.Sorted()) {
    console.err(FormatDiagnostic(d, options.script, options.files) + "\n");
  }
  if (diagnostics.HasErrors()) {
    const std::size_t errors = diagnostics.ErrorCount();
    return Fail(console, std::to_string(errors) + (errors == 1 ? " error" : " errors") +
                             " in the script or the folder of files; nothing was written");
  }

  if (!ScopeUninstaller(plan, options.scope, console, why)) return Fail(console, why);
  plan.codec = options.codec;
  plan.solid = options.solid;
  StoredArchive archive;
  {
    ProgressDisplay progress(console);
    const auto onEntry = [&](std::size_t index, const PlannedEntry& entry, std::uint64_t done,
                             std::uint64_t total) {
      progress.Entry(index, plan.entries.size(), entry.name, entry.size, done, total);
    };
    if (!StoreArchive(plan, scriptBytes, onEntry, archive, why, options.jobs)) {
      progress.Finish();
      return Fail(console, why + "; nothing was written");
    }
  }

  // The checksum of the archive's bytes goes into the small runtime first,
  // so that the large archive is copied into the image once; the resources
  // are kept sorted, so the image is the same in either order.
  // The scope's manifest and resource, when not the machine's, go in first.
  ResourceWriteNotes notes;
  if (options.scope != format::InstallScope::Machine &&
      !WriteProgramScope(stub, options.scope, stub, why, &notes)) {
    return Fail(console, "cannot make the setup runtime " + stubPath + " one for " +
                             format::ScopeName(options.scope) + " scope: " + why);
  }
  const bool signatureRemoved = notes.removedSignature;
  std::vector<std::uint8_t> withChecksum;
  if (!WriteResource(stub, ChecksumResourceKey(), archive.digest, withChecksum, why, &notes)) {
    // The runtime's own shape is what fails here: the message names the archive.
    return Fail(console, "cannot put the setup archive into " + stubPath + ": " + why);
  }
  std::vector<std::uint8_t>().swap(stub);
  std::vector<std::uint8_t> setup;
  if (!WriteResource(withChecksum, PayloadResourceKey(), archive.bytes, setup, why)) {
    return Fail(console, "cannot put the setup archive into " + stubPath + ": " + why);
  }
  std::vector<std::uint8_t>().swap(archive.bytes);
  if (notes.removedSignature || signatureRemoved) {
    Warn(console,
         "the setup runtime was signed; the signature no longer matched and was removed: sign " +
             options.output + " after building it");
  }
  if (!ReplaceFile(options.output, setup, why)) {
    return Fail(console, "cannot write " + options.output + ": " + why);
  }

  console.out("mksetup: wrote " + options.output + ": " + std::to_string(plan.entries.size()) +
              " entries (" + std::to_string(archive.compressedEntries) + " compressed), " +
              std::to_string(archive.storedBytes) + " bytes stored for " +
              std::to_string(archive.inputBytes) + " bytes of files (" +
              Percent(archive.storedBytes, archive.inputBytes) + ")\n");
  return kExitOk;
}

}  // namespace mksetup
