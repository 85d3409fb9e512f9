#include "mksetup/pe/pe_resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <regex>
#include <set>
#include <sstream>

#include "mksetup/pe/pe_image.h"
#include "mksetup/pe_test_support.h"

namespace {

using mksetup::ListResources;
using mksetup::PayloadResourceKey;
using mksetup::PeImage;
using mksetup::ReadResource;
using mksetup::ResourceId;
using mksetup::ResourceInfo;
using mksetup::ResourceKey;
using mksetup::ResourceWriteNotes;
using mksetup::WriteResource;
using Bytes = std::vector<std::uint8_t>;

const char* const kFixtures[] = {"pe_stub32.exe", "pe_stub32_last.exe", "pe_stub32_symbols.exe",
                                 "pe_stub64.exe"};

#define WRESTOOL_OR_SKIP() \
  if (!pe_test::HaveProgram("wrestool")) GTEST_SKIP() << "wrestool (icoutils) is not installed"

std::string WrestoolSelector(const ResourceKey& key) {
  return "--type=" + pe_test::Quote(key.type.ToString()) +
         " --name=" + pe_test::Quote(key.name.ToString()) +
         " --language=" + std::to_string(key.language);
}

Bytes WrestoolExtract(const std::string& path, const std::string& selector) {
  std::string output;
  pe_test::Run("wrestool -x --raw " + selector + " " + pe_test::Quote(path), &output);
  return Bytes(output.begin(), output.end());
}

// "type language size" for every line of wrestool -l. wrestool 0.32 prints a
// named entry's type where its name belongs, so names are checked by
// extracting under them instead.
std::multiset<std::string> WrestoolList(const std::string& path) {
  std::string output;
  pe_test::Run("wrestool -l " + pe_test::Quote(path), &output);
  const std::regex line(R"(--type='?([^' ]+)'? --name=\S+ --language=(\d+) \[.*size=(\d+)\])");
  std::multiset<std::string> entries;
  std::istringstream lines(output);
  for (std::string text; std::getline(lines, text);) {
    std::smatch match;
    if (std::regex_search(text, match, line)) {
      entries.insert(match[1].str() + " " + match[2].str() + " " + match[3].str());
    }
  }
  return entries;
}

std::string ListedForm(const ResourceInfo& info) {
  return info.key.type.ToString() + " " + std::to_string(info.key.language) + " " +
         std::to_string(info.size);
}

std::vector<ResourceInfo> List(const Bytes& image) {
  std::vector<ResourceInfo> resources;
  std::string error;
  EXPECT_TRUE(ListResources(image, resources, error)) << error;
  return resources;
}

Bytes Write(const Bytes& image, const Bytes& payload, ResourceWriteNotes* notes = nullptr,
            const ResourceKey& key = PayloadResourceKey()) {
  Bytes out;
  std::string error;
  EXPECT_TRUE(WriteResource(image, key, payload, out, error, notes)) << error;
  return out;
}

Bytes ReadPayload(const Bytes& image) {
  Bytes data;
  std::string error;
  const ResourceKey key = PayloadResourceKey();
  EXPECT_TRUE(ReadResource(image, key.type, key.name, data, error)) << error;
  return data;
}

// The properties every written image has: valid headers, the resource
// section last in memory and in the file, its data starting on a page in the
// file (so that Wine maps the payload instead of reading it whole), and the
// header sums right.
// The resources end the image, or only the base relocations follow them.
void ExpectSoundLayout(const Bytes& bytes) {
  PeImage image;
  std::string error;
  ASSERT_TRUE(mksetup::ParsePeImage(bytes, image, error)) << error;
  ASSERT_FALSE(image.sections.empty());
  const mksetup::PeSection& last = image.sections.back();
  const std::uint32_t resourceRva = image.directories[mksetup::kResourceDirectory].virtualAddress;
  const bool relocationsLast =
      resourceRva != last.virtualAddress && image.sections.size() >= 2 &&
      image.directories[mksetup::kBaseRelocationDirectory].virtualAddress == last.virtualAddress;
  const mksetup::PeSection& resources =
      image.sections[image.sections.size() - (relocationsLast ? 2 : 1)];
  EXPECT_EQ(resourceRva, resources.virtualAddress);
  EXPECT_EQ(image.directories[mksetup::kResourceDirectory].size, resources.virtualSize);
  EXPECT_EQ(resources.pointerToRawData % 0x1000, 0u);
  EXPECT_EQ(resources.sizeOfRawData % image.fileAlignment, 0u);
  EXPECT_EQ(resources.virtualAddress % image.sectionAlignment, 0u);
  for (std::size_t i = 0; i + 1 < image.sections.size(); ++i) {
    EXPECT_EQ(image.sections[i].VirtualEnd(image.sectionAlignment),
              image.sections[i + 1].virtualAddress)
        << "sections must be adjacent in memory";
  }
  EXPECT_EQ(image.sizeOfImage, last.VirtualEnd(image.sectionAlignment));
  if (relocationsLast) {
    EXPECT_EQ(resources.pointerToRawData + resources.sizeOfRawData, last.pointerToRawData);
  }
  EXPECT_EQ(image.checkSum, mksetup::ComputePeChecksum(bytes, image.CheckSumOffset()));
  EXPECT_EQ(image.directories[mksetup::kSecurityDirectory].virtualAddress, 0u);
}

// The base relocation table's bytes, wherever its section lies.
Bytes RelocationTable(const Bytes& bytes) {
  PeImage image;
  std::string error;
  EXPECT_TRUE(mksetup::ParsePeImage(bytes, image, error)) << error;
  const auto& table = image.directories[mksetup::kBaseRelocationDirectory];
  std::uint32_t offset = 0;
  if (table.virtualAddress == 0 ||
      !image.RvaToFileOffset(table.virtualAddress, table.size, offset)) {
    return {};
  }
  return Bytes(bytes.begin() + offset, bytes.begin() + offset + table.size);
}

TEST(PeResources, ListsTheStubsResourcesAsWrestoolDoes) {
  WRESTOOL_OR_SKIP();
  PE_FIXTURE_OR_SKIP(path, "pe_stub32.exe");
  const auto resources = List(pe_test::ReadBytes(path));
  std::multiset<std::string> ours;
  for (const ResourceInfo& info : resources) ours.insert(ListedForm(info));
  EXPECT_EQ(ours, WrestoolList(path));
  // Icon, dialog, strings, group icon, version, manifest and the two named types.
  EXPECT_EQ(resources.size(), 8u);
  EXPECT_EQ(resources[0].key.type.ToString(), "AADATA");
  EXPECT_EQ(resources[0].key.name.ToString(), "BETA");
}

// The core contract, on every MinGW image: wrestool extracts exactly the
// payload written and still finds every resource of the stub, byte for byte.
TEST(PeResources, WrittenPayloadIsExtractedByWrestoolAndEveryResourceIsKept) {
  WRESTOOL_OR_SKIP();
  pe_test::ScratchDir scratch;
  const Bytes payload = pe_test::PatternBytes(100000, 42);
  int tested = 0;
  for (const char* name : kFixtures) {
    SCOPED_TRACE(name);
    const std::string original = pe_test::FixturePath(name);
    if (original.empty()) continue;
    ++tested;
    const Bytes stub = pe_test::ReadBytes(original);
    ResourceWriteNotes notes;
    const Bytes written = Write(stub, payload, &notes);
    const std::string output = scratch.File(std::string("written-") + name);
    ASSERT_TRUE(pe_test::WriteBytes(output, written));

    ExpectSoundLayout(written);
    // Rewritten in place, with the relocations moved behind, unless debug
    // sections follow the resources.
    EXPECT_EQ(notes.appendedSection, std::string(name).find("_symbols") != std::string::npos);
    EXPECT_EQ(RelocationTable(written), RelocationTable(stub));
    EXPECT_FALSE(notes.removedSignature);
    EXPECT_EQ(ReadPayload(written), payload);
    EXPECT_EQ(WrestoolExtract(output, "--type=IDR_EXE --name=129"), payload);

    auto expected = WrestoolList(original);
    expected.insert("IDR_EXE 0 " + std::to_string(payload.size()));
    EXPECT_EQ(WrestoolList(output), expected);
    for (const ResourceInfo& info : List(stub)) {
      SCOPED_TRACE(WrestoolSelector(info.key));
      const Bytes before = WrestoolExtract(original, WrestoolSelector(info.key));
      EXPECT_EQ(before.size(), info.size);
      EXPECT_EQ(WrestoolExtract(output, WrestoolSelector(info.key)), before);
    }

    // The other sections' bytes have not moved.
    PeImage image;
    std::string error;
    ASSERT_TRUE(mksetup::ParsePeImage(stub, image, error)) << error;
    const std::size_t resourceStart =
        image.SectionHolding(image.directories[mksetup::kResourceDirectory].virtualAddress, 0)
            ->pointerToRawData;
    const std::size_t untouchedEnd =
        notes.appendedSection ? image.EndOfSectionData() : resourceStart;
    EXPECT_TRUE(std::equal(stub.begin() + image.sizeOfHeaders, stub.begin() + untouchedEnd,
                           written.begin() + image.sizeOfHeaders));
  }
  if (tested == 0) GTEST_SKIP() << "no MinGW test images were built";
}

TEST(PeResources, SecondWriteReplacesTheFirstWithoutGrowing) {
  PE_FIXTURE_OR_SKIP(path, "pe_stub32_symbols.exe");
  const Bytes stub = pe_test::ReadBytes(path);
  const Bytes big = pe_test::PatternBytes(1 << 20, 1);
  const Bytes small = {'s', 'm', 'a', 'l', 'l'};

  ResourceWriteNotes notes;
  const Bytes first = Write(stub, big, &notes);
  EXPECT_TRUE(notes.appendedSection);
  const Bytes second = Write(first, small, &notes);
  EXPECT_FALSE(notes.appendedSection) << "the first write's section is last: reused";
  const Bytes third = Write(second, big, &notes);

  EXPECT_EQ(ReadPayload(second), small);
  EXPECT_EQ(ReadPayload(third), big);
  EXPECT_LT(second.size(), first.size());
  EXPECT_EQ(third.size(), first.size());
  EXPECT_EQ(Write(third, big), third) << "writing the same payload again changes nothing";
  ExpectSoundLayout(second);
  const auto resources = List(second);
  EXPECT_EQ(
      std::count_if(resources.begin(), resources.end(),
                    [](const ResourceInfo& info) { return info.key.type.ToString() == "IDR_EXE"; }),
      1);
  EXPECT_EQ(resources.size(), 9u);
}

TEST(PeResources, EmptyAndMultiMegabytePayloads) {
  WRESTOOL_OR_SKIP();
  PE_FIXTURE_OR_SKIP(path, "pe_stub32.exe");
  pe_test::ScratchDir scratch;
  const Bytes stub = pe_test::ReadBytes(path);
  for (std::size_t size : {std::size_t{0}, std::size_t{6} << 20}) {
    SCOPED_TRACE(size);
    const Bytes payload = pe_test::PatternBytes(size, 9);
    const Bytes written = Write(stub, payload);
    ExpectSoundLayout(written);
    EXPECT_EQ(ReadPayload(written), payload);
    const std::string output = scratch.File("payload.exe");
    ASSERT_TRUE(pe_test::WriteBytes(output, written));
    EXPECT_EQ(WrestoolExtract(output, "--type=IDR_EXE --name=129"), payload);
    EXPECT_EQ(WrestoolList(output).count("IDR_EXE 0 " + std::to_string(size)), 1u);
  }
}

// An unstripped image keeps its COFF symbols (moved behind the new section)
// and so the long names of its debug sections, which live in their string
// table: objdump still reads them.
TEST(PeResources, UnstrippedImageKeepsItsSymbolsAndDebugSections) {
  PE_FIXTURE_OR_SKIP(path, "pe_stub32_symbols.exe");
  const Bytes stub = pe_test::ReadBytes(path);
  PeImage before;
  std::string error;
  ASSERT_TRUE(mksetup::ParsePeImage(stub, before, error)) << error;
  ASSERT_NE(before.pointerToSymbolTable, 0u);

  ResourceWriteNotes notes;
  const Bytes written = Write(stub, pe_test::PatternBytes(5000, 3), &notes);
  PeImage after;
  ASSERT_TRUE(mksetup::ParsePeImage(written, after, error)) << error;
  EXPECT_EQ(notes.overlaySize, stub.size() - before.EndOfSectionData());
  EXPECT_EQ(after.pointerToSymbolTable, after.EndOfSectionData());
  EXPECT_EQ(after.numberOfSymbols, before.numberOfSymbols);
  EXPECT_TRUE(std::equal(stub.begin() + before.pointerToSymbolTable, stub.end(),
                         written.begin() + after.pointerToSymbolTable, written.end()));

  if (!pe_test::HaveProgram("i686-w64-mingw32-objdump")) return;
  pe_test::ScratchDir scratch;
  ASSERT_TRUE(pe_test::WriteBytes(scratch.File("symbols.exe"), written));
  std::string headers;
  EXPECT_EQ(pe_test::Run("i686-w64-mingw32-objdump -h " +
                             pe_test::Quote(scratch.File("symbols.exe")) + " 2>&1",
                         &headers),
            0);
  EXPECT_NE(headers.find(".debug_info"), std::string::npos) << headers;
  EXPECT_NE(headers.find(".rsrc"), std::string::npos) << headers;
}

TEST(PeResources, SignedImageLosesItsCertificateButKeepsItsOverlay) {
  pe_test::SyntheticOptions options;
  options.overlaySize = 1000;
  options.certificateSize = 600;
  options.dataAfterRelocations = true;
  const Bytes stub = pe_test::MakeImage(options);
  PeImage before;
  std::string error;
  ASSERT_TRUE(mksetup::ParsePeImage(stub, before, error)) << error;
  const std::uint32_t overlayStart = before.EndOfSectionData();

  ResourceWriteNotes notes;
  const Bytes written = Write(stub, pe_test::PatternBytes(3000, 8), &notes);
  EXPECT_TRUE(notes.removedSignature);
  EXPECT_TRUE(notes.appendedSection);
  ExpectSoundLayout(written);
  PeImage after;
  ASSERT_TRUE(mksetup::ParsePeImage(written, after, error)) << error;
  EXPECT_EQ(after.directories[mksetup::kSecurityDirectory].size, 0u);
  // The overlay (1000 bytes, then padding to the certificate's 8-byte
  // boundary) follows the new section; the certificate is gone.
  const std::size_t overlayKept =
      before.directories[mksetup::kSecurityDirectory].virtualAddress - overlayStart;
  EXPECT_EQ(notes.overlaySize, overlayKept);
  ASSERT_EQ(written.size(), after.EndOfSectionData() + overlayKept);
  EXPECT_TRUE(std::equal(stub.begin() + overlayStart, stub.begin() + overlayStart + overlayKept,
                         written.begin() + after.EndOfSectionData()));
}

TEST(PeResources, AddsAResourceSectionToPe32AndPe32PlusImagesWithoutOne) {
  for (bool pe32plus : {false, true}) {
    SCOPED_TRACE(pe32plus ? "PE32+" : "PE32");
    pe_test::SyntheticOptions options;
    options.pe32plus = pe32plus;
    options.withResources = false;
    Bytes image = pe_test::MakeImage(options);
    EXPECT_TRUE(List(image).empty());
    ResourceWriteNotes notes;
    const Bytes payload = {1, 2, 3};
    std::string error;
    ASSERT_TRUE(WriteResource(image, PayloadResourceKey(), payload, image, error, &notes))
        << "out may be the input's own buffer: " << error;
    EXPECT_TRUE(notes.appendedSection);
    ExpectSoundLayout(image);
    EXPECT_EQ(ReadPayload(image), payload);
  }
}

// The loader falls back across languages, so a payload left behind in
// another language could be found instead of the new one.
TEST(PeResources, ReplacesThePayloadInEveryLanguage) {
  const Bytes stub = pe_test::MakeImage({});
  ResourceKey english = PayloadResourceKey();
  english.language = 1033;
  const Bytes old = Write(stub, {'o', 'l', 'd'}, nullptr, english);
  const Bytes written = Write(old, {'n', 'e', 'w'});
  int payloads = 0;
  for (const ResourceInfo& info : List(written)) {
    if (info.key.type.ToString() != "IDR_EXE") continue;
    ++payloads;
    EXPECT_EQ(info.key.language, 0);
  }
  EXPECT_EQ(payloads, 1);
  EXPECT_EQ(ReadPayload(written), (Bytes{'n', 'e', 'w'}));
}

// FindResource upper-cases the names it looks for and searches each
// directory by bisection: names are stored upper case, names before
// numbers, in code-unit order.
TEST(PeResources, StoresNamesUpperCaseInTheLoadersOrder) {
  const Bytes stub = pe_test::MakeImage({});
  ResourceKey key{ResourceId::Name("idr_exe"), ResourceId::Name("Payload"), 0};
  const Bytes written = Write(stub, {7}, nullptr, key);
  std::vector<std::string> order;
  for (const ResourceInfo& info : List(written)) {
    order.push_back(info.key.type.ToString() + "/" + info.key.name.ToString());
  }
  EXPECT_EQ(order, (std::vector<std::string>{"IDR_EXE/PAYLOAD", "ZZDATA/ALPHA", "5/100"}));

  for (const char* bad : {"", "TAB\tNAME", "\xC4NDERUNG"}) {
    Bytes out;
    std::string error;
    EXPECT_FALSE(WriteResource(stub, ResourceKey{ResourceId::Name(bad), ResourceId::Number(1), 0},
                               Bytes{1}, out, error));
    EXPECT_NE(error.find("printable ASCII"), std::string::npos) << error;
  }
}

TEST(PeResources, RefusesBrokenResourceTrees) {
  const Bytes good = pe_test::MakeImage({});
  // The sample tree at file offset 0x400: the root table (two entries at
  // 16 and 24), four more tables (24 bytes each), then the data entries at 128.
  constexpr std::uint32_t kRoot = 0x400;
  constexpr std::uint32_t kResourceDirectoryField = pe_test::kOptionalOffset + 96 + 8 * 2;
  struct Case {
    const char* what;
    std::uint32_t offset;
    std::uint32_t value;
    const char* message;
  };
  const Case cases[] = {
      {"a subdirectory that is the root", kRoot + 16 + 4, 0x80000000, "reached twice"},
      {"a subdirectory outside the section", kRoot + 16 + 4, 0x80000000 | 0x10000, "runs past"},
      {"a name outside the section", kRoot + 16, 0x80000000 | 0x0FFF, "runs past"},
      {"a data entry at the root", kRoot + 24 + 4, 32, "points at data"},
      {"data outside every section", kRoot + 128, 0x900000, "outside the image's sections"},
      {"data longer than its section", kRoot + 128 + 4, 0x100000, "outside the image's sections"},
      {"a directory outside every section", kResourceDirectoryField, 0x50000,
       "outside every section"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes broken = good;
    mksetup::WriteU32(broken, c.offset, c.value);
    std::vector<ResourceInfo> resources;
    std::string error;
    EXPECT_FALSE(ListResources(broken, resources, error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
    Bytes out = {1, 2, 3};
    error.clear();
    EXPECT_FALSE(WriteResource(broken, PayloadResourceKey(), Bytes{1}, out, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(out, (Bytes{1, 2, 3})) << "out is left alone on failure";
  }
}

TEST(PeResources, RefusesToAddASectionWhenTheHeadersHaveNoRoom) {
  pe_test::SyntheticOptions options;
  options.dataAfterRelocations = true;
  Bytes stub = pe_test::MakeImage(options);
  const std::uint32_t tableEnd = pe_test::kOptionalOffset + 96 + 128 + 4 * 40;
  stub[tableEnd + 7] = 1;  // something of someone else's after the section table
  Bytes out;
  std::string error;
  EXPECT_FALSE(WriteResource(stub, PayloadResourceKey(), Bytes{1}, out, error));
  EXPECT_NE(error.find("no free room in the headers"), std::string::npos) << error;

  // With only the .reloc after it, or nothing, the resource section is
  // rewritten in place: no header room needed.
  for (bool relocations : {true, false}) {
    options.dataAfterRelocations = false;
    options.relocAfterResources = relocations;
    stub = pe_test::MakeImage(options);
    stub[pe_test::kOptionalOffset + 96 + 128 + (relocations ? 3 : 2) * 40 + 7] = 1;
    ResourceWriteNotes notes;
    const Bytes written = Write(stub, {4, 5}, &notes);
    EXPECT_EQ(ReadPayload(written), (Bytes{4, 5}));
    EXPECT_FALSE(notes.appendedSection);
    ExpectSoundLayout(written);
    EXPECT_EQ(RelocationTable(written), RelocationTable(stub));
  }
}

// Random damage to the headers and the resource section: every call either
// refuses or yields an image that reads back; the sanitizers watch the reads.
TEST(PeResources, DamagedImagesAreRefusedOrWrittenSoundly) {
  std::mt19937 random(20240611);
  const Bytes payload = pe_test::PatternBytes(300, 5);
  for (bool pe32plus : {false, true}) {
    pe_test::SyntheticOptions options;
    options.pe32plus = pe32plus;
    const Bytes good = pe_test::MakeImage(options);
    for (int round = 0; round < 1500; ++round) {
      Bytes damaged = good;
      const int flips = 1 + static_cast<int>(random() % 4);
      for (int i = 0; i < flips; ++i) {
        // Mostly the headers and the resource section (0x400..0x600).
        const std::size_t at = random() % 2 ? random() % 0x200 : 0x400 + random() % 0x200;
        damaged[at] = static_cast<std::uint8_t>(random());
      }
      std::vector<ResourceInfo> resources;
      std::string error;
      ListResources(damaged, resources, error);
      Bytes out;
      if (WriteResource(damaged, PayloadResourceKey(), payload, out, error)) {
        Bytes data;
        const ResourceKey key = PayloadResourceKey();
        EXPECT_TRUE(ReadResource(out, key.type, key.name, data, error)) << "round " << round;
        EXPECT_EQ(data, payload) << "round " << round;
      }
    }
  }
}

}  // namespace
