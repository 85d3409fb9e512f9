// Authenticode signing with osslsigncode and a throwaway certificate: an
// uninstall program signed before it goes into the payload comes out of the
// setup program still signed, and the setup program signed after the build
// verifies and still lists and extracts as before.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdio>

#include "builder_test_support.h"

namespace mksetup {
namespace {

using builder_test::Bytes;
using builder_test::ProductFolder;
using builder_test::RecordingConsole;
using pe_test::Quote;

bool HaveTool(const std::string& name) {
  return pe_test::Run("command -v " + name + " >/dev/null 2>&1") == 0;
}

// A self-signed code-signing certificate and its key, valid for a day.
void MakeCertificate(const std::string& folder) {
  ASSERT_EQ(
      pe_test::Run(
          "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj '/CN=setupkit test' -keyout " +
          Quote(folder + "/key.pem") + " -out " + Quote(folder + "/cert.pem") + " >/dev/null 2>&1"),
      0);
}

// osslsigncode does not overwrite: out is removed first.
int Sign(const std::string& folder, const std::string& in, const std::string& out) {
  std::remove(out.c_str());
  return pe_test::Run("osslsigncode sign -certs " + Quote(folder + "/cert.pem") + " -key " +
                      Quote(folder + "/key.pem") + " -n 'Quill Writer' -in " + Quote(in) +
                      " -out " + Quote(out) + " >/dev/null 2>&1");
}

int Verify(const std::string& folder, const std::string& file) {
  return pe_test::Run("osslsigncode verify -CAfile " + Quote(folder + "/cert.pem") + " -in " +
                      Quote(file) + " >/dev/null 2>&1");
}

TEST(Signing, SignedUninstallerAndSetupProgramVerifyListAndExtract) {
  if (!HaveTool("osslsigncode") || !HaveTool("openssl"))
    GTEST_SKIP() << "osslsigncode or openssl is missing";
  PE_FIXTURE_OR_SKIP(stub, "pe_stub32.exe");
  ProductFolder product;
  product.WriteQuillWriter();
  pe_test::WriteBytes(product.StubPath(), builder_test::ReadFile(stub));
  MakeCertificate(product.root());

  // The uninstaller first: a Windows program, signed before the build.
  const std::string unsigned_uninstaller = product.root() + "/UnInstaller.unsigned.exe";
  pe_test::WriteBytes(unsigned_uninstaller, builder_test::ReadFile(stub));
  ASSERT_EQ(Sign(product.root(), unsigned_uninstaller, product.FilePath("UnInstaller.exe")), 0);

  RecordingConsole built;
  ASSERT_EQ(RunBuild(product.Options(), built.console), kExitOk) << built.err;
  RecordingConsole listed;
  ASSERT_EQ(RunList(product.OutputPath(), listed.console), kExitOk) << listed.err;

  // Then the setup program.
  const std::string signedSetup = product.root() + "/SignedSetup.exe";
  ASSERT_EQ(Sign(product.root(), product.OutputPath(), signedSetup), 0);
  EXPECT_EQ(Verify(product.root(), signedSetup), 0);
  EXPECT_NE(Verify(product.root(), product.OutputPath()), 0);  // the check can fail

  RecordingConsole signedList;
  EXPECT_EQ(RunList(signedSetup, signedList.console), kExitOk) << signedList.err;
  EXPECT_EQ(signedList.out, listed.out);

  const std::string extracted = product.root() + "/extracted";
  RecordingConsole extract;
  ASSERT_EQ(RunExtract(signedSetup, extracted, false, extract.console), kExitOk) << extract.err;
  EXPECT_EQ(Verify(product.root(), extracted + "/UnInstaller.exe"), 0);
  EXPECT_TRUE(builder_test::ReadFile(extracted + "/writer.exe") ==
              builder_test::ReadFile(product.FilePath("writer.exe")));
}

}  // namespace
}  // namespace mksetup
#endif
