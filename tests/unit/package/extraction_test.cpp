// Runs natively only: it needs the simulated machine.
#ifndef _WIN32
// Extracting archives into the simulated staging folder: which entries are
// decoded, the order of progress updates and file writes, reuse of an
// existing folder, every way the extraction stops, and the entries after the
// script written on two threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "package/archive_test_builder.h"
#include "package/extraction.h"
#include "package/lzw_test_data.h"
#include "platform/sim/sim_platform.h"

namespace package {
namespace {

using test::ArchiveBuilder;
using test::Block;

const std::string kStaging = "C:\\users\\tester\\Temp\\$ddinstall";

std::string ReadAll(platform::FileSystem& files, const std::string& path) {
  std::string bytes;
  std::FILE* file = files.OpenFile(path, "rb");
  if (file == nullptr) return "<missing>";
  char piece[4096];
  std::size_t got = 0;
  while ((got = std::fread(piece, 1, sizeof piece, file)) > 0) bytes.append(piece, got);
  std::fclose(file);
  return bytes;
}

// The simulated file system over the same test root, logging each file
// created for writing; one path can be made to fail its writes as a full
// disk does.
class RecordingFiles : public sim::SimFileSystem {
 public:
  RecordingFiles(const std::string& root, std::vector<std::string>& events)
      : sim::SimFileSystem(root), m_events(events) {}

  std::string fullDiskPath;
  std::string lastCreated;

  std::FILE* CreateStagedFile(const std::string& path) override {
    m_events.push_back("create " + path);
    lastCreated = path;
    if (path == fullDiskPath) return std::fopen("/dev/full", "wb");
    return sim::SimFileSystem::CreateStagedFile(path);
  }

 private:
  std::vector<std::string>& m_events;
};

// Answers as the test says (the script's grammar is the script layer's and
// is tested there) and records when it was asked and what the script file
// held at that moment.
class AnsweringScanner : public ScriptScanner {
 public:
  explicit AnsweringScanner(std::vector<std::string>& events) : m_events(events) {}

  // Answers in turn; the last one stays.
  std::vector<bool> flags = {true};
  std::string logo;
  std::string header;
  std::vector<std::string> scriptsSeen;

  bool CompressionFlag(platform::FileSystem& files, const std::string& scriptPath) override {
    m_events.push_back("flag " + scriptPath);
    scriptsSeen.push_back(ReadAll(files, scriptPath));
    const bool answer = flags.front();
    if (flags.size() > 1) flags.erase(flags.begin());
    return answer;
  }
  void ImagePaths(platform::FileSystem&, const std::string& scriptPath, std::string& logoPath,
                  std::string& headerPath) override {
    m_events.push_back("images " + scriptPath);
    logoPath = logo;
    headerPath = header;
  }

 private:
  std::vector<std::string>& m_events;
};

// Both threads' work on the calling thread, one after the other: the calling
// thread's first (as when no thread can be started), or the other's first
// (as when the other thread takes every entry before the caller takes one).
// Not for work where one thread waits on the other: none here decodes LZMA.
class OneThread : public platform::Threads {
 public:
  bool besideFirst = false;
  bool RunBoth(base::FunctionRef<void()> beside, base::FunctionRef<void()> here) override {
    if (!besideFirst) return false;
    beside();
    here();
    return true;
  }
  void Pause() override {}
};

class Extraction : public ::testing::Test {
 protected:
  Extraction() { EXPECT_TRUE(sim.files.MakeFolder(kStaging)); }

  ExtractionResult Extract(const Block& block, const std::string& folder = kStaging) {
    return ExtractArchive(files, threads, block, folder, scanner,
                          [this](ProgressStep step, unsigned percent) {
                            events.push_back((step == ProgressStep::Label ? "label " : "bar ") +
                                             std::to_string(percent));
                          });
  }
  std::string Staged(const std::string& name) { return ReadAll(sim.files, kStaging + "\\" + name); }
  std::vector<std::string> StagedNames() {
    std::vector<std::string> names;
    for (const platform::FolderEntry& entry : sim.files.ListFolder(kStaging))
      names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
  }

  sim::SimPlatform sim;
  std::vector<std::string> events;
  RecordingFiles files{sim.Root(), events};
  AnsweringScanner scanner{events};
  OneThread threads;
};

const std::string kScript =
    "Quill Writer\nQuill Writer Setup\n1.0\nAcme\nnotice\n[fls]\n1\nf|app.exe\n[/fls]\n";
const std::string kProgram = "MZ program text program text program text";

std::string AsText(const test::Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST_F(Extraction, TheBuildersArchiveComesOutAsItsFiles) {
  // Random data comes out larger compressed than plain; it is stored
  // compressed all the same.
  const std::string data = AsText(test::RandomBytes(20'000, 7));
  const std::string text = AsText(test::TextBytes(300'000, 3));
  const Block block = ArchiveBuilder()
                          .AddPlain("log_file.txt", kScript)
                          .AddPlain("licence.lic", "terms")
                          .AddCompressed("app.exe", kProgram)
                          .AddCompressed("data.bin", data)
                          .AddCompressed("manual.txt", text)
                          .AddCompressed("empty.ini", "")
                          .AddCompressed("logo.bmp", "BM logo")
                          .AddCompressed("header.bmp", "BM header")
                          .AddPlain("UnInstaller.exe", "MZ uninstaller")
                          .AddPlain("Remove Uninstaller.exe", "MZ remover")
                          .Build();
  scanner.logo = "%TempPath%\\$ddinstall\\logo.bmp";
  scanner.header = "header.bmp";

  const ExtractionResult result = Extract(block);
  ASSERT_EQ(result.status, ExtractionStatus::Ok) << result.message;
  EXPECT_TRUE(result.message.empty());
  EXPECT_TRUE(result.hasScript);
  EXPECT_EQ(result.scriptPath, kStaging + "\\log_file.txt");
  EXPECT_EQ(result.logoPath, scanner.logo);
  EXPECT_EQ(result.headerPath, "header.bmp");

  EXPECT_EQ(Staged("log_file.txt"), kScript);
  EXPECT_EQ(Staged("licence.lic"), "terms");
  EXPECT_EQ(Staged("app.exe"), kProgram);
  EXPECT_EQ(Staged("data.bin"), data);
  EXPECT_EQ(Staged("manual.txt"), text);
  EXPECT_EQ(Staged("empty.ini"), "");
  EXPECT_EQ(Staged("logo.bmp"), "BM logo");
  EXPECT_EQ(Staged("header.bmp"), "BM header");
  EXPECT_EQ(Staged("UnInstaller.exe"), "MZ uninstaller");
  EXPECT_EQ(Staged("Remove Uninstaller.exe"), "MZ remover");
  EXPECT_EQ(StagedNames().size(), 10u);

  // The flag is asked once the whole script is on disk; the pictures after
  // the last entry.
  EXPECT_EQ(scanner.scriptsSeen, std::vector<std::string>{kScript});
  EXPECT_EQ(events.back(), "images " + kStaging + "\\log_file.txt");
  EXPECT_EQ(std::count_if(events.begin(), events.end(),
                          [](const std::string& e) { return e.starts_with("images"); }),
            1);
}

TEST_F(Extraction, TheScriptsFlagGovernsTheEntriesAfterIt) {
  const Block before = test::Compressed("decoded before the script");
  const Block after = test::Compressed(kProgram);
  const Block block = ArchiveBuilder()
                          .Add("first.dll", before)
                          .AddPlain("readme.lic", "plain before the script")
                          .AddPlain("log_file.txt", kScript)
                          .Add("app.exe", after)
                          .Build();
  scanner.flags = {false};

  ASSERT_EQ(Extract(block).status, ExtractionStatus::Ok);
  // The switch is on until the script says otherwise.
  EXPECT_EQ(Staged("first.dll"), "decoded before the script");
  EXPECT_EQ(Staged("readme.lic"), "plain before the script");
  // Off: every later entry is written exactly as stored.
  EXPECT_EQ(Staged("app.exe"), AsText(after));

  // A second script sets the switch again.
  scanner.flags = {false, true};
  const Block twice = ArchiveBuilder()
                          .AddPlain("log_file.txt", kScript)
                          .AddPlain("old_log_file.txt", "older script")
                          .Add("app.exe", after)
                          .Build();
  const ExtractionResult result = Extract(twice);
  ASSERT_EQ(result.status, ExtractionStatus::Ok);
  EXPECT_EQ(result.scriptPath, kStaging + "\\old_log_file.txt");
  EXPECT_EQ(scanner.scriptsSeen.back(), "older script");
  EXPECT_EQ(Staged("app.exe"), kProgram);
}

TEST_F(Extraction, MarkersAreSoughtInTheNameNotInTheFolder) {
  // A user whose name holds ".lic" must still get decoded files.
  const std::string folder = "C:\\users\\m.lichter\\Temp\\$ddinstall";
  for (const char* level : {"C:\\users\\m.lichter", "C:\\users\\m.lichter\\Temp", folder.c_str()}) {
    ASSERT_TRUE(sim.files.MakeFolder(level));
  }
  const Block license = test::Compressed("stays as stored");
  const Block block = ArchiveBuilder()
                          .AddPlain("log_file.txt", kScript)
                          .AddCompressed("app.exe", kProgram)
                          .Add("x.license.txt", license)
                          .AddCompressed("uninstaller.exe", "lower-case i: compressed")
                          .Build();

  ASSERT_EQ(Extract(block, folder).status, ExtractionStatus::Ok);
  EXPECT_EQ(ReadAll(sim.files, folder + "\\app.exe"), kProgram);
  EXPECT_EQ(ReadAll(sim.files, folder + "\\x.license.txt"), AsText(license));
  EXPECT_EQ(ReadAll(sim.files, folder + "\\uninstaller.exe"), "lower-case i: compressed");
}

TEST_F(Extraction, LabelBeforeEachFileAndBarAfterIt) {
  const Block block = ArchiveBuilder()
                          .AddPlain("log_file.txt", kScript)
                          .AddPlain("a.txt", "a")
                          .AddPlain("b.txt", "bb")
                          .AddPlain("c.txt", "ccc")
                          .Build();
  scanner.flags = {false};
  // At each bar the entry's file is complete on disk.
  std::vector<std::string> atBar;
  const ExtractionResult result = ExtractArchive(
      files, threads, block, kStaging, scanner, [&](ProgressStep step, unsigned percent) {
        events.push_back((step == ProgressStep::Label ? "label " : "bar ") +
                         std::to_string(percent));
        if (step == ProgressStep::Bar) atBar.push_back(ReadAll(sim.files, files.lastCreated));
      });
  ASSERT_EQ(result.status, ExtractionStatus::Ok);
  const std::string at = "create " + kStaging + "\\";
  EXPECT_EQ(events,
            (std::vector<std::string>{
                "label 0", at + "log_file.txt", "bar 0", "flag " + kStaging + "\\log_file.txt",
                "label 25", at + "a.txt", "bar 25", "label 50", at + "b.txt", "bar 50", "label 75",
                at + "c.txt", "bar 75", "images " + kStaging + "\\log_file.txt"}));
  EXPECT_EQ(atBar, (std::vector<std::string>{kScript, "a", "bb", "ccc"}));
}

TEST_F(Extraction, ReusesTheFolderAndOverwritesItsFiles) {
  ASSERT_TRUE(sim.WriteFile(kStaging + "\\app.exe", "an older and much longer app.exe"));
  ASSERT_TRUE(sim.WriteFile(kStaging + "\\left.txt", "from an earlier run"));
  const Block block =
      ArchiveBuilder().AddPlain("log_file.txt", kScript).AddCompressed("app.exe", kProgram).Build();

  // With or without its trailing backslash, the folder gives the same paths.
  for (const std::string& folder : {kStaging, kStaging + "\\"}) {
    SCOPED_TRACE(folder);
    events.clear();
    const ExtractionResult result = Extract(block, folder);
    ASSERT_EQ(result.status, ExtractionStatus::Ok);
    EXPECT_EQ(result.scriptPath, kStaging + "\\log_file.txt");
    EXPECT_EQ(events[1], "create " + kStaging + "\\log_file.txt");
    EXPECT_EQ(Staged("app.exe"), kProgram);
    EXPECT_EQ(Staged("left.txt"), "from an earlier run");
  }
}

TEST_F(Extraction, StagedFilesStayLockedAndAPlantedLinkIsReplacedNotFollowed) {
  // A link put under an entry's name before the extraction: writing through
  // it would let the elevated program overwrite the file it names.
  ASSERT_TRUE(sim.WriteFile("C:\\Windows\\system.ini", "the system's own"));
  std::filesystem::create_symlink(sim.files.NativePath("C:\\Windows\\system.ini"),
                                  sim.files.NativePath(kStaging + "\\app.exe"));
  const Block block =
      ArchiveBuilder().AddPlain("log_file.txt", kScript).AddCompressed("app.exe", kProgram).Build();
  ASSERT_EQ(Extract(block).status, ExtractionStatus::Ok);
  EXPECT_EQ(sim.ReadFile("C:\\Windows\\system.ini"), "the system's own");
  EXPECT_FALSE(sim.files.IsReparsePoint(kStaging + "\\app.exe"));

  // Until the end, another program can read the staged files but neither
  // write them nor copy its own file over them.
  ASSERT_TRUE(sim.WriteFile("C:\\users\\tester\\own.exe", "another program's bytes"));
  for (const char* name : {"app.exe", "log_file.txt"}) {
    const std::string staged = kStaging + "\\" + name;
    SCOPED_TRACE(staged);
    EXPECT_TRUE(files.IsHeld(staged));
    EXPECT_EQ(files.OpenFile(staged, "wb"), nullptr);
    EXPECT_EQ(files.OpenFile(staged, "ab"), nullptr);
    EXPECT_FALSE(files.CopyOver("C:\\users\\tester\\own.exe", staged));
  }
  EXPECT_EQ(Staged("app.exe"), kProgram);
  EXPECT_EQ(Staged("log_file.txt"), kScript);
  EXPECT_TRUE(files.CopyOver(kStaging + "\\app.exe", "C:\\users\\tester\\copy.exe"));
  EXPECT_EQ(sim.ReadFile("C:\\users\\tester\\copy.exe"), kProgram);
  // The setup program's own clean-up ends the hold.
  EXPECT_TRUE(files.RemoveFile(kStaging + "\\app.exe"));
  EXPECT_FALSE(files.IsHeld(kStaging + "\\app.exe"));
}

TEST_F(Extraction, AnArchiveWithoutScriptEndsInOrder) {
  const ExtractionResult result =
      Extract(ArchiveBuilder().AddCompressed("app.exe", kProgram).Build());
  EXPECT_EQ(result.status, ExtractionStatus::Ok);
  EXPECT_FALSE(result.hasScript);
  EXPECT_TRUE(result.scriptPath.empty());
  EXPECT_TRUE(result.logoPath.empty());
  EXPECT_TRUE(result.headerPath.empty());
  EXPECT_EQ(Staged("app.exe"), kProgram);
  EXPECT_EQ(std::count_if(events.begin(), events.end(),
                          [](const std::string& e) {
                            return e.starts_with("flag") || e.starts_with("images");
                          }),
            0);

  events.clear();
  const ExtractionResult empty = Extract(ArchiveBuilder().Build());
  EXPECT_EQ(empty.status, ExtractionStatus::Ok);
  EXPECT_FALSE(empty.hasScript);
  EXPECT_TRUE(events.empty());
}

TEST_F(Extraction, AnUncreatableFileStopsTheExtraction) {
  ASSERT_TRUE(sim.files.MakeFolder(kStaging + "\\b.dll"));
  scanner.flags = {false};
  const Block block = ArchiveBuilder()
                          .AddPlain("log_file.txt", kScript)
                          .AddPlain("a.txt", "kept")
                          .AddPlain("b.dll", "cannot be created")
                          .AddPlain("c.txt", "never written")
                          .Build();

  const ExtractionResult result = Extract(block);
  EXPECT_EQ(result.status, ExtractionStatus::CannotCreate);
  EXPECT_EQ(result.message, "Cannot create file C:\\users\\tester\\Temp\\$ddinstall\\b.dll");
  EXPECT_EQ(Staged("a.txt"), "kept");
  EXPECT_EQ(StagedNames(), (std::vector<std::string>{"a.txt", "b.dll", "log_file.txt"}));
  // The label moved for it, the bar did not, and nothing came after.
  EXPECT_EQ(events.back(), "create " + kStaging + "\\b.dll");
  EXPECT_EQ(events[events.size() - 2], "label 50");
}

TEST_F(Extraction, ADamagedArchiveWritesNothing) {
  const Block good =
      ArchiveBuilder().AddPlain("log_file.txt", kScript).AddPlain("a.txt", "aaaa").Build();
  const Block blocks[] = {
      Block(good.begin(), good.end() - 1),                                   // data cut short
      ArchiveBuilder().AddPlain("log_file.txt", kScript).BuildWithCount(2),  // count too large
      ArchiveBuilder().AddPlain("log_file.txt", kScript).AddPlain("..\\x", "").Build(),  // unsafe
                                                                                         // name
      Block{2, 0},                                                                       // no count
  };
  for (const Block& block : blocks) {
    events.clear();
    const ExtractionResult result = Extract(block);
    EXPECT_EQ(result.status, ExtractionStatus::DamagedArchive);
    EXPECT_TRUE(result.message.starts_with("The setup archive ")) << result.message;
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(StagedNames().empty());
  }
}

TEST_F(Extraction, ACorruptStreamLeavesNoFileBehind) {
  const Block whole = test::Compressed(AsText(test::RandomBytes(1000, 11)));
  const Block cut(whole.begin(), whole.end() - 10);
  test::Bytes ignored;
  const LzwStatus status = LzwDecode(cut.data(), cut.size(), ignored);
  ASSERT_NE(status, LzwStatus::Ok);
  // A file of that name from an earlier run must not pass for the new one.
  ASSERT_TRUE(sim.WriteFile(kStaging + "\\bad.dll", "stale"));

  const Block block = ArchiveBuilder()
                          .AddPlain("log_file.txt", kScript)
                          .AddCompressed("good.dll", kProgram)
                          .Add("bad.dll", cut)
                          .AddCompressed("after.dll", kProgram)
                          .Build();
  const ExtractionResult result = Extract(block);
  EXPECT_EQ(result.status, ExtractionStatus::DamagedStream);
  EXPECT_EQ(result.message, "The compressed file " + kStaging +
                                "\\bad.dll is damaged: " + LzwStatusText(status) + ".");
  EXPECT_EQ(StagedNames(), (std::vector<std::string>{"good.dll", "log_file.txt"}));
  EXPECT_EQ(Staged("good.dll"), kProgram);
  EXPECT_EQ(events.back(), "create " + kStaging + "\\bad.dll");
}

TEST_F(Extraction, AFailedWriteIsReported) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  files.fullDiskPath = kStaging + "\\big.dat";
  const Block block = ArchiveBuilder()
                          .AddPlain("log_file.txt", kScript)
                          .AddCompressed("big.dat", AsText(test::RandomBytes(100'000, 5)))
                          .AddPlain("after.txt", "never written")
                          .Build();
  const ExtractionResult result = Extract(block);
  EXPECT_EQ(result.status, ExtractionStatus::CannotWrite);
  EXPECT_EQ(result.message, "Cannot write file " + kStaging + "\\big.dat");
  EXPECT_EQ(StagedNames(), std::vector<std::string>{"log_file.txt"});
  EXPECT_EQ(events.back(), "create " + kStaging + "\\big.dat");
}

// An archive of a script and `count` compressed entries, each its own text.
struct ManyEntries {
  Block block;
  std::vector<std::string> names;
  std::vector<std::string> texts;
};

ManyEntries MakeManyEntries(int count) {
  ManyEntries many;
  ArchiveBuilder builder;
  builder.AddPlain("log_file.txt", kScript);
  for (int i = 0; i < count; ++i) {
    many.names.push_back("file" + std::to_string(i) + ".dll");
    many.texts.push_back(AsText(test::TextBytes(static_cast<std::size_t>(500 + 97 * i), i)));
    builder.AddCompressed(many.names.back(), many.texts.back());
  }
  many.block = builder.Build();
  return many;
}

TEST_F(Extraction, TwoThreadsWriteEveryEntryAndReportInArchiveOrder) {
  const ManyEntries many = MakeManyEntries(60);
  sim::SimThreads twoThreads;
  std::vector<std::string> progress;
  std::vector<std::string> missingAtBar;
  for (int run = 0; run < 5; ++run) {
    progress.clear();
    const ExtractionResult result =
        ExtractArchive(sim.files, twoThreads, many.block, kStaging, scanner,
                       [&](ProgressStep step, unsigned percent) {
                         progress.push_back((step == ProgressStep::Label ? "label " : "bar ") +
                                            std::to_string(percent));
                         // The entry a bar reports is whole on disk by then.
                         const std::size_t entry = progress.size() / 2 - 1;
                         if (step == ProgressStep::Bar && entry > 0 &&
                             Staged(many.names[entry - 1]) != many.texts[entry - 1]) {
                           missingAtBar.push_back(many.names[entry - 1]);
                         }
                       });
    ASSERT_EQ(result.status, ExtractionStatus::Ok) << result.message;
    EXPECT_EQ(result.scriptPath, kStaging + "\\log_file.txt");
    for (std::size_t i = 0; i < many.names.size(); ++i)
      EXPECT_EQ(Staged(many.names[i]), many.texts[i]) << many.names[i];
    // Every entry once, a label then a bar, in archive order.
    std::vector<std::string> expected;
    for (std::size_t i = 0; i <= many.names.size(); ++i) {
      const std::string percent = std::to_string(100 * i / (many.names.size() + 1));
      expected.push_back("label " + percent);
      expected.push_back("bar " + percent);
    }
    EXPECT_EQ(progress, expected);
  }
  EXPECT_TRUE(missingAtBar.empty()) << missingAtBar.front();
}

TEST_F(Extraction, EntriesTheOtherThreadWroteAreReportedOnceTheyAllAre) {
  threads.besideFirst = true;
  scanner.flags = {false};
  const Block block = ArchiveBuilder()
                          .AddPlain("log_file.txt", kScript)
                          .AddPlain("a.txt", "a")
                          .AddPlain("b.txt", "bb")
                          .Build();
  ASSERT_EQ(Extract(block).status, ExtractionStatus::Ok);
  const std::string at = "create " + kStaging + "\\";
  EXPECT_EQ(events, (std::vector<std::string>{"label 0", at + "log_file.txt", "bar 0",
                                              "flag " + kStaging + "\\log_file.txt", at + "a.txt",
                                              at + "b.txt", "label 33", "bar 33", "label 66",
                                              "bar 66", "images " + kStaging + "\\log_file.txt"}));
}

TEST_F(Extraction, EntriesThatMayNameOneFileGoOneByOne) {
  // Windows takes a.txt and A.TXT for one file, and may take two names that
  // differ beyond ASCII for one too: the later entry must replace the
  // earlier, so nothing goes to the other thread.
  threads.besideFirst = true;
  scanner.flags = {false};
  const std::string at = "create " + kStaging + "\\";
  const Block sameName = ArchiveBuilder()
                             .AddPlain("log_file.txt", kScript)
                             .AddPlain("a.txt", "first")
                             .AddPlain("A.TXT", "second")
                             .Build();
  ASSERT_EQ(Extract(sameName).status, ExtractionStatus::Ok);
  EXPECT_EQ(std::vector<std::string>(events.begin() + 4, events.end() - 1),
            (std::vector<std::string>{"label 33", at + "a.txt", "bar 33", "label 66", at + "A.TXT",
                                      "bar 66"}));

  events.clear();
  const Block beyondAscii = ArchiveBuilder()
                                .AddPlain("log_file.txt", kScript)
                                .AddPlain("caf\xe9.txt", "first")
                                .AddPlain("b.txt", "second")
                                .Build();
  ASSERT_EQ(Extract(beyondAscii).status, ExtractionStatus::Ok);
  EXPECT_EQ(events[4], "label 33");
  EXPECT_EQ(events[5], at + "caf\xe9.txt");

  events.clear();
  const Block shortName = ArchiveBuilder()
                              .AddPlain("log_file.txt", kScript)
                              .AddPlain("a long name.txt", "first")
                              .AddPlain("ALONGN~1.TXT", "second")
                              .Build();
  ASSERT_EQ(Extract(shortName).status, ExtractionStatus::Ok);
  EXPECT_EQ(events[4], "label 33");
  EXPECT_EQ(events[5], at + "a long name.txt");
}

// Stages files as the simulated machine does, except that one entry's
// creation waits until the other thread has finished the entry after it and
// asks for the next, and then its writes fail as on a full disk.
class FailingLateFiles : public sim::SimFileSystem {
 public:
  FailingLateFiles(const std::string& root, std::string failing, std::string waitFor)
      : sim::SimFileSystem(root), failing_(std::move(failing)), waitFor_(std::move(waitFor)) {}

  std::FILE* CreateStagedFile(const std::string& path) override {
    if (path == failing_) {
      std::unique_lock<std::mutex> lock(mutex_);
      waited_ = changed_.wait_for(lock, std::chrono::seconds(20), [&] { return asked_; });
      return std::fopen("/dev/full", "wb");
    }
    std::FILE* file = sim::SimFileSystem::CreateStagedFile(path);
    if (path == waitFor_) {
      const std::lock_guard<std::mutex> lock(mutex_);
      asked_ = true;
      changed_.notify_all();
    }
    return file;
  }
  bool Waited() const { return waited_; }

 private:
  std::string failing_;
  std::string waitFor_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool asked_ = false;
  bool waited_ = false;
};

TEST_F(Extraction, AFailureOnOneThreadRemovesWhatTheOtherWroteAfterIt) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const ManyEntries many = MakeManyEntries(6);
  // file2 fails once the other thread has written file3 and asked for file4.
  FailingLateFiles failing(sim.Root(), kStaging + "\\file2.dll", kStaging + "\\file4.dll");
  sim::SimThreads twoThreads;
  std::vector<std::string> progress;
  const ExtractionResult result = ExtractArchive(
      failing, twoThreads, many.block, kStaging, scanner, [&](ProgressStep step, unsigned percent) {
        progress.push_back((step == ProgressStep::Label ? "label " : "bar ") +
                           std::to_string(percent));
      });
  ASSERT_TRUE(failing.Waited()) << "the other thread never reached file4.dll";
  EXPECT_EQ(result.status, ExtractionStatus::CannotWrite);
  EXPECT_EQ(result.message, "Cannot write file " + kStaging + "\\file2.dll");
  // What is left is what the entries one by one leave: those before it.
  EXPECT_EQ(StagedNames(), (std::vector<std::string>{"file0.dll", "file1.dll", "log_file.txt"}));
  EXPECT_EQ(Staged("file1.dll"), many.texts[1]);
  EXPECT_FALSE(failing.IsHeld(kStaging + "\\file3.dll"));
  // Bars for the entries before it, its label, nothing after.
  EXPECT_EQ(progress, (std::vector<std::string>{"label 0", "bar 0", "label 14", "bar 14",
                                                "label 28", "bar 28", "label 42"}));
}

}  // namespace
}  // namespace package

#endif  // _WIN32
