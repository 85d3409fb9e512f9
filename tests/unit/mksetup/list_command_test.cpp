// mksetup list decodes each compressed entry through the streaming decoder
// and keeps none of its bytes: what it reports (decoded sizes, damaged
// entries and why) must be what decoding the whole entry in memory says,
// also for entries whose strings reach back past the decoder's window.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <fstream>

#include "builder_test_support.h"
#include "format/payload_archive.h"
#include "mksetup/payload/stored_archive.h"
#include "mksetup/payload/decoded_size.h"
#include "mksetup/pe/pe_resources.h"
#include "package/lzw/lzw.h"
#include "package/lzw/lzw_stream.h"

namespace mksetup {
namespace {

using builder_test::Bytes;
using builder_test::RecordingConsole;

Bytes Encoded(const Bytes& input) {
  Bytes stream;
  EXPECT_EQ(package::LzwEncode(input.data(), input.size(), kStoredCodeWidth, stream),
            package::LzwStatus::Ok);
  return stream;
}

// Random bytes, a run of zeros longer than the decoder's window, and the
// same random bytes again: the second copy names strings made by the first,
// megabytes back.
Bytes ReachingBack() {
  const Bytes head = pe_test::PatternBytes(20'000, 51);
  Bytes bytes = head;
  bytes.insert(bytes.end(), 3u << 20, 0);
  bytes.insert(bytes.end(), head.begin(), head.end());
  return bytes;
}

Bytes TextOf(std::size_t size) {
  std::string text;
  for (int i = 0; text.size() < size; ++i)
    text += "entry " + std::to_string(i * 7919 % 10007) + " of the list\r\n";
  return Bytes(text.begin(), text.end());
}

// The streams of a listing: sound ones of several shapes and damaged ones.
struct Entry {
  std::string name;
  Bytes stream;
};

std::vector<Entry> MakeEntries();

const std::vector<Entry>& Entries() {
  static const std::vector<Entry> entries = MakeEntries();
  return entries;
}

std::vector<Entry> MakeEntries() {
  Bytes truncated = Encoded(TextOf(200'000));
  truncated.resize(truncated.size() - 3);
  Bytes cutLate = Encoded(ReachingBack());
  cutLate.resize(cutLate.size() - 2);
  // "a", then a code beyond the next one to be made.
  const Bytes badCode = {0x03, 0, 0, 0, 0x10, 0x61, 0x00, 0x34, 0x12};
  return {
      {"text.txt", Encoded(TextOf(300'000))},
      {"noise.bin", Encoded(pe_test::PatternBytes(500'000, 52))},
      {"zeros.img", Encoded(Bytes(4u << 20, 0))},
      {"reaching back.bin", Encoded(ReachingBack())},
      {"empty.dat", Encoded(Bytes())},
      {"truncated.bin", truncated},
      {"bad code.bin", badCode},
      {"cut late.bin", cutLate},
      {"short.bin", Bytes{0x01, 0x00}},
  };
}

std::string Row(const std::string& stored, const std::string& lzw, const std::string& decoded,
                const std::string& name) {
  const auto right = [](const std::string& text) {
    return std::string(10 - std::min<std::size_t>(10, text.size()), ' ') + text;
  };
  return right(stored) + "  " + lzw + (lzw.size() < 3 ? std::string(3 - lzw.size(), ' ') : "") +
         "  " + right(decoded) + "  " + name + "\n";
}

TEST(ListCommand, ReportsWhatDecodingTheWholeEntrySays) {
  builder_test::ProductFolder product;
  product.WriteStub();
  const std::string script = builder_test::MinimalScript("1", {});
  const std::vector<Entry>& entries = Entries();
  Bytes archive;
  format::WriteArchiveCount(archive, static_cast<std::uint32_t>(entries.size() + 1));
  format::AppendArchiveEntry(archive, "log_file.txt", Bytes(script.begin(), script.end()));
  for (const Entry& entry : entries) format::AppendArchiveEntry(archive, entry.name, entry.stream);
  Bytes setup;
  std::string error;
  ASSERT_TRUE(WriteResource(builder_test::ReadFile(product.StubPath()), PayloadResourceKey(),
                            archive, setup, error))
      << error;
  ASSERT_TRUE(pe_test::WriteBytes(product.OutputPath(), setup));

  // What the in-memory decoder of whole entries says of each.
  std::string rows =
      Row(std::to_string(script.size()), "no", std::to_string(script.size()), "log_file.txt");
  std::string errors;
  std::uint64_t stored = script.size();
  std::uint64_t decodedTotal = script.size();
  for (const Entry& entry : entries) {
    Bytes decoded;
    const package::LzwStatus status =
        package::LzwDecode(entry.stream.data(), entry.stream.size(), decoded);
    const bool ok = status == package::LzwStatus::Ok;
    rows += Row(std::to_string(entry.stream.size()), "yes",
                ok ? std::to_string(decoded.size()) : "damaged", entry.name);
    if (!ok) {
      errors += "mksetup: error: " + product.OutputPath() + ": the compressed entry " + entry.name +
                " is damaged: " + package::LzwStatusText(status) + "\n";
    }
    stored += entry.stream.size();
    decodedTotal += decoded.size();
  }
  rows += Row(std::to_string(stored), "", std::to_string(decodedTotal), "(10 entries)");

  RecordingConsole listed;
  EXPECT_EQ(RunList(product.OutputPath(), listed.console), kExitFailure);
  EXPECT_NE(listed.out.find(rows), std::string::npos) << listed.out << "\nexpected:\n" << rows;
  EXPECT_EQ(listed.err, errors);
  // The damaged ones are damaged for the reasons the whole-entry decoder gives.
  EXPECT_NE(errors.find("truncated.bin is damaged: the stream ends before"), std::string::npos);
  EXPECT_NE(errors.find("bad code.bin is damaged: a code refers"), std::string::npos);
  EXPECT_NE(errors.find("cut late.bin is damaged: the stream ends before"), std::string::npos);
}

// A sink that keeps nothing and can give nothing back.
class DroppingSink final : public package::LzwSink {
 public:
  bool Write(const std::uint8_t*, std::size_t) override { return true; }
  bool ReadBack(std::uint64_t, std::uint8_t*, std::size_t) override { return false; }
};

TEST(ListCommand, SizesComeOutRightThroughAnyWindow) {
  // The entry that reaches back does need bytes the default window no
  // longer holds.
  package::LzwStreamDecoder plain;
  DroppingSink dropping;
  const Bytes& reaching = Entries()[3].stream;
  ASSERT_EQ(plain.Decode(reaching.data(), reaching.size(), dropping),
            package::LzwStatus::WriteFailed);

  // The smallest window sends nearly every string back to the temporary
  // file; the default one only the entry that reaches back megabytes.
  for (const std::size_t window : {package::LzwStreamDecoder::kMinWindow, std::size_t{4096},
                                   package::LzwStreamDecoder::kDefaultWindow}) {
    SCOPED_TRACE("window " + std::to_string(window));
    package::LzwStreamDecoder decoder(window);
    for (const Entry& entry : Entries()) {
      SCOPED_TRACE(entry.name);
      Bytes decoded;
      const package::LzwStatus expected =
          package::LzwDecode(entry.stream.data(), entry.stream.size(), decoded);
      // Megabytes through a small window take long and show nothing new.
      if (window < package::LzwStreamDecoder::kDefaultWindow && decoded.size() > 250'000) continue;
      std::uint64_t size = 7;
      std::string error;
      EXPECT_EQ(DecodedSize(decoder, entry.stream, size, error), expected);
      EXPECT_EQ(size, decoded.size());
      EXPECT_EQ(error, "");
    }
  }
}

}  // namespace
}  // namespace mksetup
#endif
