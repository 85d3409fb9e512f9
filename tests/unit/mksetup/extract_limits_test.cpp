// mksetup extract and archives that decode to far more than they store: what
// the entries declare is refused before a byte is written, against
// --max-size and against the target's free space.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <filesystem>

#include "builder_test_support.h"
#include "format/payload_archive.h"
#include "mksetup/commands/commands.h"
#include "mksetup/payload/stored_archive.h"
#include "mksetup/pe/pe_resources.h"
#include "package/lzw/lzw.h"

namespace mksetup {
namespace {

using builder_test::Bytes;
using builder_test::RecordingConsole;

TEST(ExtractLimits, WhatTheEntriesDeclareIsRefusedBeforeAnythingIsWritten) {
  builder_test::ProductFolder product;
  product.WriteStub();
  const std::string script = builder_test::MinimalScript("1", {});
  Bytes zeros;
  ASSERT_EQ(package::LzwEncode(Bytes(1u << 20, 0).data(), 1u << 20, kStoredCodeWidth, zeros),
            package::LzwStatus::Ok);
  // An LZW header that states 4 GiB less one byte, before a stream of a few
  // bytes: decoding would write until the stated size or the stream's end.
  const Bytes bomb = {0xff, 0xff, 0xff, 0xff, 0x10, 0x61, 0x00};
  Bytes archive;
  format::WriteArchiveCount(archive, 4);
  format::AppendArchiveEntry(archive, "log_file.txt", Bytes(script.begin(), script.end()));
  format::AppendArchiveEntry(archive, "zeros.img", zeros);
  format::AppendArchiveEntry(archive, "zeros2.img", zeros);
  format::AppendArchiveEntry(archive, "bomb.bin", bomb);
  Bytes setup;
  std::string error;
  ASSERT_TRUE(WriteResource(builder_test::ReadFile(product.StubPath()), PayloadResourceKey(),
                            archive, setup, error))
      << error;
  ASSERT_TRUE(pe_test::WriteBytes(product.OutputPath(), setup));
  const std::string declared =
      std::to_string(script.size() + (2u << 20) + 0xffffffffull) + " bytes";

  const std::string extracted = product.root() + "/extracted";
  RecordingConsole overMax;
  EXPECT_EQ(RunExtract(product.OutputPath(), extracted, false, overMax.console), kExitFailure);
  EXPECT_EQ(overMax.err, "mksetup: error: " + product.OutputPath() + ": its entries decode to " +
                             declared +
                             ", more than --max-size allows (4294967296); nothing "
                             "extracted\n");
  EXPECT_FALSE(std::filesystem::exists(extracted));

  // Allowed by --max-size, but more than the drive has free.
  RecordingConsole overFree;
  EXPECT_EQ(RunExtract(product.OutputPath(), extracted, false, overFree.console, UINT64_MAX),
            kExitFailure);
  const std::uint64_t free = std::filesystem::space(product.root()).available;
  if (free < script.size() + (2u << 20) + 0xffffffffull) {
    EXPECT_NE(overFree.err.find(": its entries decode to " + declared + ", more than the "),
              std::string::npos)
        << overFree.err;
    EXPECT_NE(overFree.err.find(" free for " + extracted + "; nothing extracted\n"),
              std::string::npos)
        << overFree.err;
    EXPECT_FALSE(std::filesystem::exists(extracted));
  }
}

TEST(ExtractLimits, MaxSizeBoundsASoundArchiveToo) {
  builder_test::ProductFolder product;
  product.WriteStub();
  const std::string script = builder_test::MinimalScript("1", {});
  Bytes archive;
  format::WriteArchiveCount(archive, 1);
  format::AppendArchiveEntry(archive, "log_file.txt", Bytes(script.begin(), script.end()));
  Bytes setup;
  std::string error;
  ASSERT_TRUE(WriteResource(builder_test::ReadFile(product.StubPath()), PayloadResourceKey(),
                            archive, setup, error));
  ASSERT_TRUE(pe_test::WriteBytes(product.OutputPath(), setup));
  const std::string extracted = product.root() + "/extracted";
  RecordingConsole under;
  EXPECT_EQ(RunExtract(product.OutputPath(), extracted, false, under.console, script.size() - 1),
            kExitFailure);
  EXPECT_FALSE(std::filesystem::exists(extracted));
  RecordingConsole exactly;
  EXPECT_EQ(RunExtract(product.OutputPath(), extracted, false, exactly.console, script.size()),
            kExitOk)
      << exactly.err;
  EXPECT_TRUE(std::filesystem::exists(extracted + "/log_file.txt"));
}

}  // namespace
}  // namespace mksetup
#endif
