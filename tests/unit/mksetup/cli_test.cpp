// The mksetup executable: help, usage errors and exit statuses as a script
// or a CI job sees them, and the progress display's manners.
#include <gtest/gtest.h>

#include "builder_test_support.h"
#include "mksetup/commands/progress.h"

namespace mksetup {
namespace {

using builder_test::ProductFolder;
using builder_test::RecordingConsole;

#if defined(SETUPKIT_MKSETUP_BINARY)  // the native build runs the tool it built
struct Ran {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the built mksetup with a shell command line's arguments.
Ran Mksetup(const std::string& arguments, const std::string& scratch) {
  Ran ran;
  const std::string errFile = scratch + "/stderr.txt";
  ran.status = pe_test::Run(
      pe_test::Quote(SETUPKIT_MKSETUP_BINARY) + " " + arguments + " 2>" + pe_test::Quote(errFile),
      &ran.out);
  const auto err = builder_test::ReadFile(errFile);
  ran.err.assign(err.begin(), err.end());
  std::remove(errFile.c_str());
  return ran;
}

TEST(MksetupTool, HelpAndUsageErrors) {
  pe_test::ScratchDir scratch;
  const Ran help = Mksetup("--help", scratch.path());
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_EQ(
      help.out.rfind(
          "Usage:\n  mksetup build --script SCRIPT --files DIR [--arch x86|x64] [--stub RUNTIME.exe]\n",
          0),
      0u);
  EXPECT_NE(help.out.find(
                "setup-runtime.exe (x86) or setup-runtime64.exe (x64) in the folder of mksetup"),
            std::string::npos);
  EXPECT_EQ(Mksetup("build --help", scratch.path()).out, help.out);

  const struct {
    const char* arguments;
    const char* message;
  } cases[] = {
      {"", "mksetup: no command given\nTry 'mksetup --help'.\n"},
      {"pack x", "mksetup: unknown command 'pack'\nTry 'mksetup --help'.\n"},
      {"build --files f -o s.exe",
       "mksetup: build: missing --script SCRIPT\nTry 'mksetup --help'.\n"},
      {"build --script s --files f",
       "mksetup: build: missing -o SETUP.exe\nTry 'mksetup --help'.\n"},
      {"build --script s --script t",
       "mksetup: build: option '--script' is given twice\nTry 'mksetup --help'.\n"},
      {"build --script",
       "mksetup: build: option '--script' needs a value\nTry 'mksetup --help'.\n"},
      {"build --scirpt s", "mksetup: build: unknown option '--scirpt'\nTry 'mksetup --help'.\n"},
      {"build --script=s --files=f -o s.exe extra",
       "mksetup: build: unexpected argument 'extra'\nTry 'mksetup --help'.\n"},
      {"list",
       "mksetup: list: give one setup program: mksetup list SETUP.exe\nTry 'mksetup --help'.\n"},
      {"extract s.exe", "mksetup: extract: missing -C DIR\nTry 'mksetup --help'.\n"},
      // Past 64 bits, in digits or through the unit.
      {"extract s.exe -C d --max-size 18446744073709551616",
       "mksetup: extract: --max-size takes a number of bytes, with K, M or G for KiB, MiB or GiB, "
       "not '18446744073709551616'\nTry 'mksetup --help'.\n"},
      {"extract s.exe -C d --max-size 17179869184G",
       "mksetup: extract: --max-size takes a number of bytes, with K, M or G for KiB, MiB or GiB, "
       "not '17179869184G'\nTry 'mksetup --help'.\n"},
      {"extract s.exe -C d --max-size 2T",
       "mksetup: extract: --max-size takes a number of bytes, with K, M or G for KiB, MiB or GiB, "
       "not '2T'\nTry 'mksetup --help'.\n"},
  };
  for (const auto& c : cases) {
    const Ran ran = Mksetup(c.arguments, scratch.path());
    EXPECT_EQ(ran.status, kExitUsage) << c.arguments;
    EXPECT_EQ(ran.err, c.message) << c.arguments;
    EXPECT_EQ(ran.out, "") << c.arguments;
  }
}

TEST(MksetupTool, BuildListExtractThroughTheExecutable) {
  ProductFolder product;
  product.WriteQuillWriter();
  product.WriteStub();
  const std::string q = pe_test::Quote(product.ScriptPath());
  const Ran built = Mksetup(
      "build --script " + q + " --files " + pe_test::Quote(product.FilesPath()) + " --stub " +
          pe_test::Quote(product.StubPath()) + " -o " + pe_test::Quote(product.OutputPath()),
      product.root());
  EXPECT_EQ(built.status, kExitOk) << built.err;
  EXPECT_EQ(built.err, "");  // quick, and not on a terminal: no progress
  EXPECT_EQ(
      built.out.rfind("mksetup: wrote " + product.OutputPath() + ": 7 entries (4 compressed), ", 0),
      0u);

  const Ran listed = Mksetup("list " + pe_test::Quote(product.OutputPath()), product.root());
  EXPECT_EQ(listed.status, kExitOk) << listed.err;
  // Plain entries are stored at their own size; compressed ones decode to it.
  EXPECT_EQ(listed.out.rfind("architecture: x86 (PE32, ", 0), 0u) << listed.out;
  EXPECT_NE(listed.out.find("\n    STORED  LZW     DECODED  NAME\n"), std::string::npos)
      << listed.out;
  EXPECT_NE(listed.out.find("  yes        3000  writer.exe\n"), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find("        11  no           11  UnInstaller.exe\n"), std::string::npos)
      << listed.out;
  EXPECT_NE(listed.out.find("(7 entries)\n"), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find("\nchecksum: SHA-256 "), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find(", matches the archive\n"), std::string::npos) << listed.out;

  const Ran extracted = Mksetup("extract " + pe_test::Quote(product.OutputPath()) + " -C " +
                                    pe_test::Quote(product.root() + "/x"),
                                product.root());
  EXPECT_EQ(extracted.status, kExitOk) << extracted.err;
  EXPECT_EQ(builder_test::ReadFile(product.root() + "/x/writer.exe"),
            pe_test::PatternBytes(3000, 1));

  // Not a setup program: a file-level error.
  const Ran notSetup = Mksetup("list " + q, product.root());
  EXPECT_EQ(notSetup.status, kExitFailure);
  EXPECT_EQ(
      notSetup.err.rfind(
          "mksetup: error: " + product.ScriptPath() + " is not a usable Windows program: ", 0),
      0u)
      << notSetup.err;
  const Ran noPayload = Mksetup("list " + pe_test::Quote(product.StubPath()), product.root());
  EXPECT_EQ(noPayload.status, kExitFailure);
  EXPECT_NE(noPayload.err.find("holds no setup archive (resource IDR_EXE #129)"), std::string::npos)
      << noPayload.err;
}

// Without --stub the runtime beside mksetup is taken, the 32-bit one unless
// --arch says x64; list names what was built.
TEST(MksetupTool, ArchPicksTheRuntimeBesideMksetup) {
  ProductFolder product;
  product.WriteQuillWriter();
  const std::string bin = product.root() + "/bin";
  ASSERT_EQ(pe_test::Run("mkdir " + pe_test::Quote(bin) + " && cp " +
                             pe_test::Quote(SETUPKIT_MKSETUP_BINARY) + " " +
                             pe_test::Quote(bin + "/mksetup"),
                         nullptr),
            0);
  const std::string tool = pe_test::Quote(bin + "/mksetup");
  const std::string common = " --script " + pe_test::Quote(product.ScriptPath()) + " --files " +
                             pe_test::Quote(product.FilesPath()) + " -o " +
                             pe_test::Quote(product.OutputPath());
  const auto run = [&](const std::string& arguments, std::string* out) {
    return pe_test::Run(
        tool + " " + arguments + " 2>" + pe_test::Quote(product.root() + "/err.txt"), out);
  };
  const auto err = [&] {
    const auto bytes = builder_test::ReadFile(product.root() + "/err.txt");
    return std::string(bytes.begin(), bytes.end());
  };

  // Neither runtime there yet: the message names the one that is missing.
  EXPECT_EQ(run("build --arch x64" + common, nullptr), kExitFailure);
  EXPECT_NE(err().find("no --stub given and no setup-runtime64.exe beside mksetup"),
            std::string::npos)
      << err();

  pe_test::WriteBytes(bin + "/setup-runtime.exe", pe_test::MakeImage({}));
  pe_test::SyntheticOptions wide;
  wide.pe32plus = true;
  pe_test::WriteBytes(bin + "/setup-runtime64.exe", pe_test::MakeImage(wide));
  std::string out;
  EXPECT_EQ(run("build" + common, nullptr), kExitOk) << err();
  EXPECT_EQ(run("list " + pe_test::Quote(product.OutputPath()), &out), kExitOk) << err();
  EXPECT_EQ(out.rfind("architecture: x86 (PE32, ", 0), 0u) << out;
  EXPECT_EQ(run("build --arch x64" + common, nullptr), kExitOk) << err();
  EXPECT_EQ(run("list " + pe_test::Quote(product.OutputPath()), &out), kExitOk) << err();
  EXPECT_EQ(out.rfind("architecture: x64 (PE32+, ", 0), 0u) << out;

  // --stub wins; a stub of the other architecture than --arch is named.
  EXPECT_EQ(run("build --arch x86 --stub " + pe_test::Quote(bin + "/setup-runtime64.exe") + common,
                nullptr),
            kExitOk);
  EXPECT_NE(err().find("is a 64-bit program, not the x86 one that --arch asks for"),
            std::string::npos)
      << err();
  EXPECT_EQ(run("build --arch arm64" + common, nullptr), kExitUsage);
  EXPECT_NE(err().find("build: --arch takes x86 or x64, not 'arm64'"), std::string::npos) << err();
}

TEST(MksetupTool, ChecksStopTheBuildWithScriptLineMessages) {
  ProductFolder product;
  product.WriteQuillWriter();
  product.WriteStub();
  std::vector<std::string> lines = builder_test::QuillWriterLines();
  lines[4] = "";          // line 5: an empty notice
  lines[29] = "[regi] ";  // line 30
  lines[6] = "on";        // line 7: a flag that is off
  product.WriteScript(builder_test::JoinLines(lines));
  const Ran ran = Mksetup("build --script " + pe_test::Quote(product.ScriptPath()) + " --files " +
                              pe_test::Quote(product.FilesPath()) + " --stub " +
                              pe_test::Quote(product.StubPath()) + " -o " +
                              pe_test::Quote(product.OutputPath()),
                          product.root());
  EXPECT_EQ(ran.status, kExitFailure);
  const std::string s = product.ScriptPath();
  EXPECT_EQ(
      ran.err,
      s +
          ":5: error: empty line above \"[/fls]\": the setup program's file pass stops here (an absent "
          "notice line is written \"-N-A-\")\n" +
          s +
          ":7: warning: compression flag \"on\" is not \"1\": the setup program takes it as off, so every "
          "entry is stored uncompressed\n" +
          s +
          ":30: error: \"[regi] \" is not the marker \"[regi]\": a marker stands alone on its line without "
          "spaces, so the setup program does not see this one\n"
          "mksetup: error: 2 errors in the script or the folder of files; nothing was written\n");
  EXPECT_EQ(product.RootNames(), (std::vector<std::string>{"files", "runtime.exe", "setup.txt"}));
}

#endif

TEST(ProgressDisplay, TerminalRedrawsOneLineAndClearsIt) {
  RecordingConsole recorded;
  recorded.console.errIsTerminal = true;
  {
    ProgressDisplay progress(recorded.console);
    progress.Entry(0, 2, "writer.exe", 6 << 20, 0, 8 << 20);
    progress.Entry(1, 2, "a.bmp", 300, 6 << 20, 8 << 20);
  }
  const std::string first = "mksetup: [  0%] 1/2 writer.exe (6.0 MB)";
  const std::string second = "mksetup: [ 75%] 2/2 a.bmp (300 bytes)";
  EXPECT_EQ(recorded.err, "\r" + first + "\r" + second +
                              std::string(first.size() - second.size(), ' ') + "\r" +
                              std::string(first.size(), ' ') + "\r");
}

TEST(ProgressDisplay, LogsStayQuietForQuickBuildsAndThrottleSlowOnes) {
  RecordingConsole recorded;
  double now = 0;
  recorded.console.clock = [&] { return now; };
  ProgressDisplay progress(recorded.console);
  progress.Entry(0, 5, "a", 1, 0, 5);
  now = 0.9;
  progress.Entry(1, 5, "b", 1, 1, 5);
  EXPECT_EQ(recorded.err, "");
  now = 1.2;
  progress.Entry(2, 5, "c", 1, 2, 5);
  now = 1.7;
  progress.Entry(3, 5, "d", 1, 3, 5);
  now = 2.3;
  progress.Entry(4, 5, "e", 20000, 4, 5);
  progress.Finish();
  EXPECT_EQ(recorded.err, "mksetup: [ 40%] 3/5 c (1 bytes)\nmksetup: [ 80%] 5/5 e (20 KB)\n");
}

}  // namespace
}  // namespace mksetup
