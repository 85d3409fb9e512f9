// Collecting the entries of a payload archive from the setup script and the
// folder of files, in the order the setup program needs them: the script
// (its compression flag governs the entries after it), the licence text, the
// product's files in the order of "[fls]", the two banner images, and the two
// uninstall programs last.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "mksetup/script_checks/diagnostics.h"
#include "mksetup/script_checks/script_text.h"

namespace mksetup {

enum class EntryRole { Script, Licence, ProductFile, Image, Uninstaller };

struct PlannedEntry {
  std::string name;  // the archive name, the file's name in the staging folder
  EntryRole role = EntryRole::ProductFile;
  std::string sourcePath;   // the file in the folder of files; empty for the script
  std::uint64_t size = 0;   // the file's size when the plan was made
  bool compressed = false;  // stored compressed (the setup program decodes it)
  std::size_t line = 0;     // the script line that asks for it, 0 when none does
  // The bytes mksetup made of the file (the uninstaller of a per-user setup
  // program, which must not ask for administrator rights), stored instead
  // of the file's; empty for the file as it is. Such an entry is never
  // compressed.
  std::vector<std::uint8_t> rewritten;
};

// How the entries the rule compresses are stored: LZW streams (what every
// reader of the format knows), or LZMA, each entry a stream of its own or,
// solid, the entries after the setup script one stream together.
enum class Codec { Lzw, Lzma };

struct BuildPlan {
  bool compressionFlag = false;  // the script's "[fls]" flag is "1"
  std::vector<PlannedEntry> entries;
  Codec codec = Codec::Lzw;
  bool solid = false;  // with Codec::Lzma only
};

// The toolkit's own uninstall programs, carried under the names above when
// the folder of files holds no file of that name; empty when there are none.
struct ToolkitUninstallers {
  std::string uninstaller;
  std::string remover;
  // Where they were looked for (beside mksetup); empty when nowhere, as in
  // tests that give the folder's own.
  std::string uninstallerSought;
  std::string removerSought;
};

// Collects the entries and reports what the folder of files lacks: a source,
// an image or an uninstaller that is missing or not a plain file, several
// licence texts, or none when the licence page is on. folderNames are the
// names of the folder's entries; scriptSize is the size of the script's
// bytes. Entries with names that CheckScript refuses are left out. An
// uninstall program of the folder wins over the toolkit's, with a note.
BuildPlan MakeBuildPlan(const ScriptText& script, std::uint64_t scriptSize,
                        const std::string& folder, const std::vector<std::string>& folderNames,
                        Diagnostics& out, const ToolkitUninstallers& toolkit = {});

}  // namespace mksetup
