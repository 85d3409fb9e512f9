// mksetup list and mksetup extract: a built setup program's archive as the
// setup program itself reads it.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/little_endian.h"
#include "mksetup/commands/commands.h"
#include "mksetup/payload/decoded_size.h"
#include "mksetup/host/host_files.h"
#include "mksetup/payload/setup_payload.h"
#include "package/lzw/lzw.h"
#include "package/lzw/lzw_stream.h"
#include "package/lzma/lzma_entry.h"
#include "package/payload_checksum.h"

namespace mksetup {
namespace {

int Fail(Console& console, const std::string& message) {
  console.err("mksetup: error: " + message + "\n");
  return kExitFailure;
}

std::string RightAligned(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string LeftAligned(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string Row(const std::string& stored, const std::string& lzw, const std::string& decoded,
                const std::string& name) {
  return RightAligned(stored, 10) + "  " + LeftAligned(lzw, 3) + "  " + RightAligned(decoded, 10) +
         "  " + name + "\n";
}

// The decoders a walk over the archive keeps from entry to entry; the LZMA
// one carries a solid stream from its head to its members.
struct Decoders {
  package::LzwStreamDecoder lzw;
  package::LzmaEntryDecoder lzma;
};

// Decodes an LZMA entry into write; a damaged one is reported as BadCode
// with damage saying why.
package::LzwStatus DecodeLzma(Decoders& decoders, const format::ArchiveEntry& entry,
                              package::LzmaSink write, std::string& damage) {
  const package::LzmaStatus status = decoders.lzma.Decode(entry.data, entry.size, write);
  if (status == package::LzmaStatus::Ok) return package::LzwStatus::Ok;
  if (status == package::LzmaStatus::WriteFailed) return package::LzwStatus::WriteFailed;
  damage = package::LzmaStatusText(status);
  return package::LzwStatus::BadCode;
}

// How the setup program decodes an entry, for the listing.
const char* DecodingName(const format::ArchiveEntry& entry, bool decoded) {
  if (!decoded) return "no";
  if (package::IsSolidLzmaEntry(entry.data, entry.size)) return "solid";
  return package::IsLzmaEntry(entry.data, entry.size) ? "lzma" : "yes";
}

// Writes one entry into path: decoded straight into the file when the setup
// program decodes it, as stored otherwise. error is empty when the entry's
// stream is damaged (status says how, damage too for LZMA) and says why the
// file failed otherwise.
package::LzwStatus ExtractEntry(const format::ArchiveEntry& entry, bool decode,
                                const std::string& folder, Decoders& decoders, std::string& error,
                                std::string& damage) {
  // Opened for update: a stream whose strings reach back past the decoder's
  // window reads them back from the file. Made anew, never through a link
  // already in the folder.
  std::FILE* file = CreateFreshFile(folder, entry.name, error);
  if (file == nullptr) return package::LzwStatus::WriteFailed;
  const std::string path = EntryFilePath(folder, entry.name);
  package::LzwStatus status = package::LzwStatus::Ok;
  if (decode && package::IsLzmaEntry(entry.data, entry.size)) {
    status = DecodeLzma(
        decoders, entry,
        [&](const std::uint8_t* data, std::size_t size) {
          return std::fwrite(data, 1, size, file) == size;
        },
        damage);
  } else if (decode) {
    package::LzwFileSink sink(file);
    status = decoders.lzw.Decode(entry.data, entry.size, sink);
  } else if (entry.size > 0 && std::fwrite(entry.data, 1, entry.size, file) != entry.size) {
    status = package::LzwStatus::WriteFailed;
  }
  if (status == package::LzwStatus::WriteFailed) error = std::strerror(errno);
  if (std::fclose(file) != 0 && status == package::LzwStatus::Ok) {
    error = std::strerror(errno);
    status = package::LzwStatus::WriteFailed;
  }
  if (status != package::LzwStatus::Ok) std::remove(path.c_str());
  return status;
}

// The line about the archive's checksum, as the setup program will check
// it; false when it does not match. Extracting on regardless (mismatchAllowed)
// makes the message a warning; consequence ends the message.
bool ReportChecksum(const std::string& setup, const SetupPayload& payload, Console& console,
                    bool mismatchAllowed = false, const std::string& consequence = "") {
  switch (package::CheckPayloadChecksum(payload.archive, payload.hasChecksum, payload.checksum)) {
    case package::ChecksumVerdict::Absent:
      console.out(
          "checksum: none (not built by mksetup); the setup program installs without checking\n");
      return true;
    case package::ChecksumVerdict::Matches:
      console.out("checksum: SHA-256 " + package::DigestText(payload.checksum) +
                  ", matches the archive\n");
      return true;
    case package::ChecksumVerdict::Mismatch:
      break;
  }
  const std::string archive = package::DigestText(package::Sha256Of(payload.archive));
  console.out("checksum: SHA-256 " + package::DigestText(payload.checksum) +
              ", DOES NOT MATCH the archive (" + archive + ")\n");
  console.err(std::string("mksetup: ") + (mismatchAllowed ? "warning: " : "error: ") + setup +
              ": the setup archive does not match its checksum: the setup program is damaged and "
              "refuses to install" +
              consequence + "\n");
  return false;
}

// The bytes extract will write: each decoded entry's stated size (its
// decoder writes exactly that or stops), each stored one's own. Summed
// without overflow: at the most, the largest number.
std::uint64_t DeclaredTotal(const SetupPayload& payload) {
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < payload.entries.size(); ++i) {
    const format::ArchiveEntry& entry = payload.entries[i];
    const std::uint64_t size =
        payload.decoded[i] && entry.size >= 4 ? base::LoadLe32(entry.data) : entry.size;
    total = size > UINT64_MAX - total ? UINT64_MAX : total + size;
  }
  return total;
}

}  // namespace

int RunList(const std::string& setup, Console& console) {
  SetupPayload payload;
  std::string error;
  if (!ReadSetupPayload(setup, payload, error)) return Fail(console, error);

  // A per-user program's folder is the user's whatever its architecture.
  const bool perUser = payload.scopeKnown && payload.scope == format::InstallScope::User;
  const std::string bits = payload.is64 ? "64" : "32";
  console.out(
      std::string("architecture: ") + (payload.is64 ? "x64 (PE32+, " : "x86 (PE32, ") +
      (perUser ? "writes the " + bits + "-bit registry view)\n"
               : "installs into the " + bits + "-bit program files folder and registry view)\n"));
  if (!payload.scopeKnown) {
    console.out("scope: " + payload.scopeText + " (unknown)\n");
    return Fail(console, setup + ": its scope resource holds " + payload.scopeText +
                             ", which is no scope: the setup program refuses it as damaged");
  }
  switch (payload.scope) {
    case format::InstallScope::Machine:
      console.out(
          "scope: machine (asks for administrator rights; for every user, registered under "
          "HKEY_LOCAL_MACHINE)\n");
      break;
    case format::InstallScope::User:
      console.out(
          "scope: user (never asks for administrator rights; into %LocalAppData%\\Programs for "
          "the user who runs it, registered under HKEY_CURRENT_USER)\n");
      break;
    case format::InstallScope::Either:
      console.out("scope: either (the person chooses; /CURRENTUSER or /ALLUSERS)\n");
      break;
  }
  console.out(Row("STORED", "LZW", "DECODED", "NAME"));
  std::uint64_t stored = 0;
  std::uint64_t decodedTotal = 0;
  bool damaged = false;
  // One decoder for every entry: its window and dictionary are all the
  // memory a listing takes beyond the mapped setup program.
  Decoders decoders;
  for (std::size_t i = 0; i < payload.entries.size(); ++i) {
    const format::ArchiveEntry& entry = payload.entries[i];
    std::string decodedSize = std::to_string(entry.size);
    std::uint64_t size = entry.size;
    std::string damage;
    if (payload.decoded[i]) {
      // Decoding the whole entry proves the stream, not just its header.
      package::LzwStatus status;
      if (package::IsLzmaEntry(entry.data, entry.size)) {
        size = 0;
        status = DecodeLzma(
            decoders, entry,
            [&](const std::uint8_t*, std::size_t n) {
              size += n;
              return true;
            },
            damage);
      } else {
        status = DecodedSize(decoders.lzw, {entry.data, entry.size}, size, error);
      }
      if (status == package::LzwStatus::Ok) {
        decodedSize = std::to_string(size);
      } else if (status == package::LzwStatus::WriteFailed) {
        decodedSize = "unchecked";
        console.err("mksetup: error: cannot check the compressed entry " + entry.name + ": " +
                    error + "\n");
        damaged = true;
      } else {
        decodedSize = "damaged";
        console.err("mksetup: error: " + setup + ": the compressed entry " + entry.name +
                    " is damaged: " +
                    (damage.empty() ? package::LzwStatusText(status) : damage.c_str()) + "\n");
        damaged = true;
        size = 0;
      }
    }
    console.out(Row(std::to_string(entry.size), DecodingName(entry, payload.decoded[i]),
                    decodedSize, entry.name));
    stored += entry.size;
    decodedTotal += size;
  }
  console.out(Row(std::to_string(stored), "", std::to_string(decodedTotal),
                  "(" + std::to_string(payload.entries.size()) + " entries)"));
  if (decoders.lzma.SolidUnfinished()) {
    console.err("mksetup: error: " + setup +
                ": the solid LZMA stream ends with bytes no entry takes\n");
    damaged = true;
  }
  if (!ReportChecksum(setup, payload, console)) damaged = true;
  return damaged ? kExitFailure : kExitOk;
}

int RunExtract(const std::string& setup, const std::string& folder, bool ignoreChecksum,
               Console& console, std::uint64_t maxSize) {
  SetupPayload payload;
  std::string error;
  if (!ReadSetupPayload(setup, payload, error)) return Fail(console, error);
  // The setup program itself would refuse such an archive as damaged.
  if (package::CheckPayloadChecksum(payload.archive, payload.hasChecksum, payload.checksum) ==
          package::ChecksumVerdict::Mismatch &&
      !ReportChecksum(setup, payload, console, ignoreChecksum,
                      ignoreChecksum ? "; extracted as --ignore-checksum asks"
                                     : "; nothing extracted (--ignore-checksum extracts anyway)") &&
      !ignoreChecksum) {
    return kExitFailure;
  }
  // A few hundred kilobytes of archive can declare gigabytes of zeros:
  // what the entries declare is checked before anything is written.
  const std::uint64_t total = DeclaredTotal(payload);
  if (total > maxSize) {
    return Fail(console, setup + ": its entries decode to " + std::to_string(total) +
                             " bytes, more than --max-size allows (" + std::to_string(maxSize) +
                             "); nothing extracted");
  }
  std::uint64_t free = 0;
  if (!FreeSpace(folder, free, error)) {
    return Fail(console, "cannot learn the free space for " + folder + ": " + error);
  }
  if (total > free) {
    return Fail(console, setup + ": its entries decode to " + std::to_string(total) +
                             " bytes, more than the " + std::to_string(free) + " free for " +
                             folder + "; nothing extracted");
  }
  if (KindOf(folder) != PathKind::Folder && !MakeFolders(folder, error)) {
    return Fail(console, "cannot create the folder " + folder + ": " + error);
  }

  Decoders decoders;
  for (std::size_t i = 0; i < payload.entries.size(); ++i) {
    const format::ArchiveEntry& entry = payload.entries[i];
    // The archive walk has refused names that would leave the folder, and
    // the folders of a name are entered without following links.
    const std::string path = EntryFilePath(folder, entry.name);
    std::string damage;
    const package::LzwStatus status =
        ExtractEntry(entry, payload.decoded[i], folder, decoders, error, damage);
    if (status == package::LzwStatus::WriteFailed)
      return Fail(console, "cannot write " + path + ": " + error);
    if (status != package::LzwStatus::Ok) {
      return Fail(console, setup + ": the compressed entry " + entry.name + " is damaged: " +
                               (damage.empty() ? package::LzwStatusText(status) : damage.c_str()));
    }
  }
  if (decoders.lzma.SolidUnfinished()) {
    return Fail(console, setup + ": the solid LZMA stream ends with bytes no entry takes");
  }
  console.out("mksetup: extracted " + std::to_string(payload.entries.size()) + " entries into " +
              folder + "\n");
  return kExitOk;
}

}  // namespace mksetup
