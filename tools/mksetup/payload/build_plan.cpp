#include "mksetup/payload/build_plan.h"

#include <limits>
#include <set>

#include "mksetup/host/host_files.h"
#include "format/entry_name.h"
#include "format/payload_archive.h"
#include "format/payload_contract.h"
#include "format/script_fields.h"

namespace mksetup {
namespace {

// The archive stores sizes as unsigned 32-bit numbers.
constexpr std::uint64_t kMaxEntrySize = std::numeric_limits<std::uint32_t>::max();

class PlanBuilder {
 public:
  PlanBuilder(const std::string& folder, Diagnostics& out) : folder_(folder), out_(out) {}

  BuildPlan& plan() { return plan_; }

  void AddScript(std::uint64_t size) {
    seen_.insert(format::kScriptEntryName);
    plan_.entries.push_back({format::kScriptEntryName, EntryRole::Script, "", size, false, 0, {}});
  }

  // Adds the file of the folder when it is there and usable; line is the
  // script line that asks for it (0 when none). source, when given, is the
  // file to carry instead of the folder's.
  void AddFile(const std::string& name, EntryRole role, std::size_t line, const std::string& why,
               const std::string& source = {}) {
    if (!seen_.insert(name).second) return;
    const std::string path = source.empty() ? EntryFilePath(folder_, name) : source;
    const std::string inFolder = Quoted(name) + " (" + why + ")";
    // A folder of the tree that is a link could lead anywhere on this machine.
    if (const std::string link = LinkedFolderStep(folder_, name); source.empty() && !link.empty()) {
      out_.Error(line, inFolder + " lies below " + link +
                           ", a symbolic link: mksetup does not follow links to folders out of " +
                           folder_);
      return;
    }
    switch (KindOf(path)) {
      case PathKind::Missing:
        out_.Error(line, inFolder + " is missing from " + folder_);
        return;
      case PathKind::Folder:
        out_.Error(line, inFolder + " in " + folder_ + " is a folder, not a file");
        return;
      case PathKind::Other:
        out_.Error(line, inFolder + " in " + folder_ + " is not a plain file");
        return;
      case PathKind::File:
        break;
    }
    std::uint64_t size = 0;
    std::string error;
    if (!FileSize(path, size, error)) {
      out_.Error(line, "cannot read " + path + ": " + error);
      return;
    }
    if (size > kMaxEntrySize) {
      out_.Error(line, path + " is " + std::to_string(size) +
                           " bytes long; the setup archive holds files of at most 4 GB - 1");
      return;
    }
    plan_.entries.push_back({name, role, path, size, false, line, {}});
  }

 private:
  const std::string& folder_;
  Diagnostics& out_;
  BuildPlan plan_;
  std::set<std::string> seen_;
};

void AddLicence(const ScriptText& script, const std::string& folder,
                const std::vector<std::string>& folderNames, PlanBuilder& builder,
                Diagnostics& out) {
  std::vector<std::string> licences;
  for (const std::string& name : folderNames) {
    if (name.find(format::kLicenceMarker) != std::string::npos &&
        KindOf(JoinPath(folder, name)) == PathKind::File) {
      licences.push_back(name);
    }
  }
  const auto lic = script.Find(format::kLicence);
  const std::size_t flagLine = lic ? *lic + 2 : 0;
  if (licences.size() > 1) {
    std::string names;
    for (const std::string& name : licences) names += (names.empty() ? "" : ", ") + Quoted(name);
    out.Error(lic ? *lic + 1 : 0, "several files of " + folder + " hold \"" +
                                      format::kLicenceMarker + "\" in their names (" + names +
                                      "): the setup program shows only one licence text; keep one");
    return;
  }
  if (licences.empty()) {
    if (lic && format::IsTrueFlag(script.LineOrEmpty(*lic + 1))) {
      out.Warning(flagLine, std::string("the licence page is on, but no file of ") + folder +
                                " holds \"" + format::kLicenceMarker +
                                "\" in its name: the page would show an empty licence");
    }
    return;
  }
  if (const std::string reason(::format::EntryNameProblem(licences.front())); !reason.empty()) {
    out.Error(0, "licence text " + Quoted(licences.front()) +
                     " cannot be a file in the setup program's staging folder: " + reason);
    return;
  }
  builder.AddFile(licences.front(), EntryRole::Licence, 0, "the licence text");
}

// The image lines as the setup program's picture scan finds them: the line
// after the last "[logo]" before the first "[Header]", and the line after
// that "[Header]".
struct ImageLines {
  std::optional<std::size_t> logo;
  std::optional<std::size_t> header;
};

ImageLines FindImageLines(const ScriptText& script) {
  ImageLines found;
  for (std::size_t i = 0; i < script.lines.size(); ++i) {
    if (script.lines[i] == format::kLogo) {
      found.logo = ++i;
    } else if (script.lines[i] == format::kHeaderImage) {
      found.header = i + 1;
      break;
    }
  }
  return found;
}

void AddImage(const ScriptText& script, std::size_t index, const char* section,
              PlanBuilder& builder, Diagnostics& out) {
  const std::string& line = script.LineOrEmpty(index);
  const std::size_t number = index < script.lines.size() ? index + 1 : script.LastLineNumber();
  const std::string name = ImageFileName(line);
  const std::string why = std::string("the ") + section + " image";
  if (name.empty()) {
    out.Error(number,
              "the " + std::string(section) + " image path " + Quoted(line) + " names no file");
  } else if (const std::string reason(::format::EntryNameProblem(name)); !reason.empty()) {
    out.Error(number, why + " " + Quoted(name) +
                          " cannot be a file in the setup program's staging folder: " + reason);
  } else if (format::IsSetupScript(name)) {
    out.Error(number, why + " " + Quoted(name) + " holds \"" + format::kScriptEntryName +
                          "\": the setup program would take it for the setup script");
  } else {
    builder.AddFile(name, EntryRole::Image, number, why);
  }
}

}  // namespace

BuildPlan MakeBuildPlan(const ScriptText& script, std::uint64_t scriptSize,
                        const std::string& folder, const std::vector<std::string>& folderNames,
                        Diagnostics& out, const ToolkitUninstallers& toolkit) {
  PlanBuilder builder(folder, out);
  builder.AddScript(scriptSize);
  AddLicence(script, folder, folderNames, builder, out);

  // The product's files, in the order of "[fls]"; the uninstall programs go
  // last whatever their place in the list.
  std::size_t uninstallerLines[2] = {0, 0};
  for (const std::size_t i : FileSectionLines(script)) {
    std::string rest = script.lines[i];
    if (rest.find('|') == std::string::npos) continue;
    const std::string source = format::TakeField(rest);
    if (source == format::kFolderEntryKind) continue;
    if (*::format::EntryNameProblem(source) != '\0' || format::IsSetupScript(source)) continue;
    if (source == format::kUninstallerEntryName || source == format::kRemoverEntryName) {
      std::size_t& line = uninstallerLines[source == format::kUninstallerEntryName ? 0 : 1];
      if (line == 0) line = i + 1;
      continue;
    }
    builder.AddFile(source, EntryRole::ProductFile, i + 1, "a file of \"[fls]\"");
  }

  const ImageLines images = FindImageLines(script);
  if (images.logo) AddImage(script, *images.logo, format::kLogo, builder, out);
  if (images.header) AddImage(script, *images.header, format::kHeaderImage, builder, out);

  const auto fls = script.Find(format::kFiles);
  const char* const uninstallers[2] = {format::kUninstallerEntryName, format::kRemoverEntryName};
  const char* const uses[2] = {"the setup program registers it as the uninstall command",
                               "the uninstall log lists it"};
  const std::string* const toolkitFiles[2] = {&toolkit.uninstaller, &toolkit.remover};
  const std::string* const sought[2] = {&toolkit.uninstallerSought, &toolkit.removerSought};
  for (int k = 0; k < 2; ++k) {
    const bool folderHasIt = KindOf(JoinPath(folder, uninstallers[k])) != PathKind::Missing;
    const std::string& toolkitFile = *toolkitFiles[k];
    if (!folderHasIt && toolkitFile.empty() && !sought[k]->empty()) {
      // The toolkit's own file is the one missing: say which, and where.
      const std::string& path = *sought[k];
      out.Error(uninstallerLines[k],
                "no " + path.substr(path.find_last_of("/\\") + 1) + " beside mksetup (" + path +
                    "), which goes in as \"" + uninstallers[k] + "\" when " + folder +
                    " holds none: build the toolkit with scripts/build, or put your own \"" +
                    uninstallers[k] + "\" into " + folder);
    }
    if (folderHasIt && !toolkitFile.empty()) {
      out.Note(uninstallerLines[k], std::string("carrying the folder's own \"") + uninstallers[k] +
                                        "\" instead of the toolkit's " + toolkitFile);
    }
    if (folderHasIt || !toolkitFile.empty() || sought[k]->empty()) {
      builder.AddFile(uninstallers[k], EntryRole::Uninstaller, uninstallerLines[k],
                      k == 0 ? "the uninstall program" : "the uninstall program's remover",
                      folderHasIt ? std::string() : toolkitFile);
    }
    if (uninstallerLines[k] == 0 && fls) {
      out.Warning(*fls + 1, std::string("\"[fls]\" does not install \"") + uninstallers[k] +
                                "\", but " + uses[k] + " in the installation folder");
    }
  }

  BuildPlan& plan = builder.plan();
  plan.compressionFlag = ReaderCompressionFlag(script);
  std::vector<std::string> names;
  for (const PlannedEntry& entry : plan.entries) names.push_back(entry.name);
  const std::vector<bool> compressed =
      format::CompressedEntries(names, [&](std::size_t) { return plan.compressionFlag; });
  for (std::size_t i = 0; i < plan.entries.size(); ++i) plan.entries[i].compressed = compressed[i];
  return std::move(plan);
}

}  // namespace mksetup
