#include "script/script_rules.h"

#include "format/script_passes.h"
#include "script/script_reader.h"
#include "format/script_fields.h"

namespace script {

bool ReadCompressionFlag(platform::FileSystem& files, const std::string& path) {
  ScriptReader reader(files, path);
  return format::ReadCompressionFlag(reader);
}

ImagePaths ReadImagePaths(platform::FileSystem& files, const std::string& path) {
  ImagePaths images;
  ScriptReader reader(files, path);
  std::string line;
  while (reader.ReadLine(line)) {
    if (line == format::kLogo) {
      reader.ReadLine(images.logo);
    } else if (line == format::kHeaderImage) {
      // The scan ends here: a [logo] further down is never seen.
      reader.ReadLine(images.header);
      break;
    }
  }
  return images;
}

WizardHeader ReadWizardHeader(platform::FileSystem& files, const std::string& path) {
  WizardHeader header;
  ScriptReader reader(files, path);
  std::string* const fields[format::kHeaderLines] = {&header.productName, &header.wizardTitle,
                                                     &header.productVersion, &header.companyName,
                                                     &header.noticeLine};
  for (std::string* field : fields) *field = format::FitField(reader.NextLine());
  // The search starts at line 6: a header line never counts as the marker.
  if (reader.SkipPast(format::kInstallPath))
    header.installPathTemplate = format::FitField(reader.NextLine());
  return header;
}

InstallPathSection ReadInstallPathSection(platform::FileSystem& files, const std::string& path) {
  InstallPathSection section;
  ScriptReader reader(files, path);
  if (!reader.SkipPast(format::kInstallPath)) return section;
  section.found = true;
  section.pathTemplate = format::FitField(reader.NextLine());
  reader.ReadLine(section.lockFlag);
  return section;
}

std::string ReadNoticeLine(platform::FileSystem& files, const std::string& path) {
  ScriptReader reader(files, path);
  for (std::size_t line = 1; line < format::kHeaderLines; ++line) reader.NextLine();
  // Cut like the wizard's notice field, so every click shows what the
  // initialisation showed.
  return format::FitField(reader.NextLine());
}

bool ReadLicenceFlag(platform::FileSystem& files, const std::string& path, std::string& flag) {
  flag.clear();
  ScriptReader reader(files, path);
  if (!reader.SkipPast(format::kLicence)) return false;
  reader.ReadLine(flag);
  return true;
}

void ForEachFileEntry(platform::FileSystem& files, const std::string& path,
                      FileEntryVisitor visit) {
  ScriptReader reader(files, path);
  format::ForEachFileEntryLine(reader, [&](const std::string& line) {
    std::string rest = line;
    const std::string kind = format::TakeField(rest);
    visit(kind, rest);
  });
}

void ForEachShortcutLine(platform::FileSystem& files, const std::string& path,
                         ProgramGroupVisitor programGroup, ShortcutLineVisitor shortcut) {
  ScriptReader reader(files, path);
  format::ForEachShortcutSectionLine(
      reader,
      [&](const std::string& group) {
        if (programGroup) programGroup(group);
      },
      [] {},
      [&](const std::string& line) {
        if (!shortcut) return;
        std::string rest = line;
        const std::string location = format::TakeField(rest);
        const std::string target = format::TakeField(rest);
        shortcut(location, target, rest);  // the Name keeps any further "|"
      });
}

namespace {

// Every line of a section read through the whole script
// (format::ForEachSectionLine).
template <typename LineVisitor>
void ForEachSectionLine(platform::FileSystem& files, const std::string& path, const char* opening,
                        const char* closing, const LineVisitor& visit) {
  ScriptReader reader(files, path);
  format::ForEachSectionLine(
      reader, opening, closing, [] {}, visit);
}

}  // namespace

void ForEachRegistryLine(platform::FileSystem& files, const std::string& path,
                         RegistryLineVisitor visit) {
  ForEachSectionLine(
      files, path, format::kRegistry, format::kRegistryEnd, [&](const std::string& line) {
        std::string rest = line;
        const std::string root = format::TakeField(rest);
        const std::string key = format::TakeField(rest);
        const std::string name = format::TakeField(rest);
        const std::string type = format::TakeField(rest);
        const std::string data = format::TakeField(rest);
        visit(root, key, name, type, data);  // whatever follows the fifth "|" is ignored
      });
}

void ForEachPathLine(platform::FileSystem& files, const std::string& path, PathLineVisitor visit) {
  ForEachSectionLine(files, path, format::kPathEntries, format::kPathEntriesEnd,
                     [&](const std::string& line) {
                       std::string rest = line;
                       const std::string root = format::TakeField(rest);
                       visit(root, rest);
                     });
}

void ForEachRemovalRegistryLine(platform::FileSystem& files, const std::string& path,
                                RemovalRegistryVisitor visit) {
  ForEachSectionLine(files, path, format::kUninstallRegistry, format::kUninstallRegistryEnd,
                     [&](const std::string& line) {
                       std::string rest = line;
                       const std::string root = format::TakeField(rest);
                       const std::string key = format::TakeField(rest);
                       const std::string name = format::TakeField(rest);
                       visit(root, key, name);  // whatever follows the third "|" is ignored
                     });
}

UninstallSource ReadUninstallSource(
    platform::FileSystem& files, const std::string& path,
    base::FunctionRef<void(const std::string& removalPath)> removalPath) {
  UninstallSource source;
  ScriptReader reader(files, path);
  // Lines 1 and 2 (the product name, the wizard's title) are read into the
  // version's place, where line 3, the version itself, replaces them.
  reader.ReadLine(source.productVersion);
  reader.ReadLine(source.productVersion);
  reader.ReadLine(source.productVersion);
  reader.ReadLine(source.companyName);
  if (!reader.SkipPast(format::kUninstallGeneral)) return source;
  reader.ReadLine(source.generalLine1);
  reader.ReadLine(source.generalLine2);
  // Positional: "[/uninst_gene]" and "[uninst_fls]" are taken as read, the
  // third line is the first removal path. End of file ends the list too, so
  // a script without "[/uninst_fls]" cannot keep the pass going.
  std::string line;
  if (!reader.ReadLine(line) || !reader.ReadLine(line)) return source;
  while (reader.ReadLine(line) && line != format::kUninstallFilesEnd) removalPath(line);
  return source;
}

FinishPageSetup ReadFinishPageSetup(platform::FileSystem& files, const std::string& path) {
  FinishPageSetup setup;
  ScriptReader reader(files, path);
  reader.ReadLine(setup.productName);
  std::string line;
  while (reader.ReadLine(line)) {
    if (line != format::kLaunch) continue;
    if (!format::IsTrueFlag(reader.NextLine())) {
      setup.offer = LaunchOffer::Hidden;
      break;
    }
    setup.offer = LaunchOffer::Offered;
    reader.NextLine();  // the program path, launched only at Finish
  }
  return setup;
}

bool ForEachLaunchProgram(platform::FileSystem& files, const std::string& path,
                          base::FunctionRef<void(const std::string& programTemplate)> launch) {
  ScriptReader reader(files, path);
  std::string line;
  while (reader.ReadLine(line)) {
    if (line != format::kLaunch) continue;
    if (!format::IsTrueFlag(reader.NextLine())) return false;
    launch(reader.NextLine());
  }
  return true;
}

}  // namespace script
