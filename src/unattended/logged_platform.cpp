#include "unattended/logged_platform.h"

#include "format/joined_text.h"
#include "format/field_values.h"
#include "wizard/wizard_texts.h"

namespace unattended {

namespace {

// The roots by their place in platform::RegistryRoot.
constexpr const char* kRootNames[] = {
    format::kClassesRoot, format::kCurrentUser,   format::kLocalMachine,
    format::kUsers,       format::kCurrentConfig,
};

}  // namespace

bool LoggedPlatform::Note(bool worked, const char* what, const std::string& subject) {
  const std::string line = format::Joined({worked ? "" : "Failed: ", what, ": ", subject});
  if (worked) {
    log_.Line(line);
  } else {
    CountFailure(line);
  }
  return worked;
}

std::FILE* LoggedPlatform::OpenFile(const std::string& path, const char* mode) {
  std::FILE* file = inner_.files.OpenFile(path, mode);
  // Reading is the script's business and may miss; a file written is one of
  // the installation's (the uninstall log).
  if (mode[0] != 'r') Note(file != nullptr, "File written", path);
  return file;
}

bool LoggedPlatform::MakeFolder(const std::string& path) {
  return Note(inner_.files.MakeFolder(path), "Folder made", path);
}

bool LoggedPlatform::MakeProtectedFolder(const std::string& path) {
  return Note(inner_.files.MakeProtectedFolder(path), "Folder made", path);
}

bool LoggedPlatform::CopyOver(const std::string& from, const std::string& to) {
  return Note(inner_.files.CopyOver(from, to), "File copied", to);
}

bool LoggedPlatform::MoveStagedFile(const std::string& from, const std::string& to) {
  // A move that cannot be done is no failure: the file is copied instead.
  const bool moved = inner_.files.MoveStagedFile(from, to);
  if (moved) log_.Line("File moved: ", to);
  return moved;
}

bool LoggedPlatform::SetValue(platform::RegistryRoot root, const std::string& key,
                              const std::string& name, std::uint32_t type,
                              const std::vector<std::uint8_t>& data) {
  return Note(inner_.registry.SetValue(root, key, name, type, data), "Registry value",
              format::Joined({kRootNames[static_cast<int>(root)], "\\", key, " | ", name}));
}

bool LoggedPlatform::CreateLink(const std::string& linkPath, const std::string& target) {
  return Note(inner_.shell.CreateLink(linkPath, target), "Link",
              format::Joined({linkPath, " -> ", target}));
}

void LoggedPlatform::Launch(const std::string& program) {
  log_.Line("Started: ", program);
  inner_.shell.Launch(program);
}

bool LoggedPlatform::Show(platform::MessageKind kind, const std::string& text) {
  log_.Line("Message: ", text);
  // Refusing a folder is the destination page's own warning, before anything
  // is installed; every other warning tells of something not done.
  if (kind == platform::MessageKind::Warning && text != wizard::texts::kDestinationPathError) {
    ++failures_;
  }
  if (quiet_) return kind == platform::MessageKind::Warning;
  return inner_.messages.Show(kind, text);
}

}  // namespace unattended
