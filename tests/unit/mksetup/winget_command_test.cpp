// mksetup winget: the three manifest files of a built setup program, read
// back by a YAML parser (libyaml) and checked against the published field
// list of winget's ManifestVersion 1.6.0: every field the format requires,
// with its type, enumeration or pattern, and only the fields the command
// promises.
#ifndef _WIN32
#include <gtest/gtest.h>

#if defined(SETUPKIT_HAVE_YAML)
#include <yaml.h>
#endif

#include <cctype>
#include <filesystem>
#include <map>
#include <set>

#include "builder_test_support.h"
#include "mksetup/commands/cli.h"
#include "package/payload_checksum.h"
#include "package/sha256/sha256.h"

namespace mksetup {
namespace {

using builder_test::ProductFolder;
using builder_test::RecordingConsole;

// A YAML node, scalars typed as the format's core schema types them.
struct Node {
  enum Kind { String, Integer, Map, List } kind = String;
  std::string text;
  std::map<std::string, Node> map;
  std::vector<std::string> keys;  // the map's keys in file order
  std::vector<Node> list;
};

#if defined(SETUPKIT_HAVE_YAML)
Node Convert(yaml_document_t& document, yaml_node_t* node) {
  Node out;
  if (node->type == YAML_SCALAR_NODE) {
    out.text.assign(reinterpret_cast<const char*>(node->data.scalar.value),
                    node->data.scalar.length);
    const bool plain = node->data.scalar.style == YAML_PLAIN_SCALAR_STYLE;
    out.kind =
        plain && !out.text.empty() && out.text.find_first_not_of("0123456789") == std::string::npos
            ? Node::Integer
            : Node::String;
  } else if (node->type == YAML_MAPPING_NODE) {
    out.kind = Node::Map;
    for (yaml_node_pair_t* pair = node->data.mapping.pairs.start;
         pair < node->data.mapping.pairs.top; ++pair) {
      const Node key = Convert(document, yaml_document_get_node(&document, pair->key));
      out.keys.push_back(key.text);
      out.map[key.text] = Convert(document, yaml_document_get_node(&document, pair->value));
    }
  } else {
    out.kind = Node::List;
    for (yaml_node_item_t* item = node->data.sequence.items.start;
         item < node->data.sequence.items.top; ++item) {
      out.list.push_back(Convert(document, yaml_document_get_node(&document, *item)));
    }
  }
  return out;
}

// The file's one document; a parse error fails the test.
Node ReadYaml(const std::string& path) {
  const builder_test::Bytes bytes = builder_test::ReadFile(path);
  EXPECT_FALSE(bytes.empty()) << path;
  yaml_parser_t parser;
  yaml_parser_initialize(&parser);
  yaml_parser_set_input_string(&parser, bytes.data(), bytes.size());
  yaml_document_t document;
  Node root;
  if (yaml_parser_load(&parser, &document) != 0) {
    if (yaml_node_t* top = yaml_document_get_root_node(&document)) root = Convert(document, top);
    yaml_document_delete(&document);
  } else {
    ADD_FAILURE() << path << ": " << (parser.problem ? parser.problem : "not YAML");
  }
  yaml_parser_delete(&parser);
  return root;
}
#endif

// The field is there, a string of the length the format allows.
void ExpectString(const Node& map, const std::string& key, std::size_t shortest,
                  std::size_t longest) {
  const auto found = map.map.find(key);
  ASSERT_NE(found, map.map.end()) << "missing " << key;
  EXPECT_EQ(found->second.kind, Node::String) << key;
  EXPECT_GE(found->second.text.size(), shortest) << key;
  EXPECT_LE(found->second.text.size(), longest) << key;
}

void ExpectOneOf(const Node& map, const std::string& key, const std::set<std::string>& values) {
  ExpectString(map, key, 1, 128);
  if (map.map.count(key) != 0) EXPECT_EQ(values.count(map.map.at(key).text), 1u) << key;
}

std::set<std::string> Keys(const Node& map) { return {map.keys.begin(), map.keys.end()}; }

bool IsSha256(const std::string& text) {
  return text.size() == 64 && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

// The fields every manifest file requires.
void ExpectCommonFields(const Node& file, const std::string& type) {
  ASSERT_EQ(file.kind, Node::Map);
  ExpectString(file, "PackageIdentifier", 3, 128);
  ExpectString(file, "PackageVersion", 1, 128);
  ExpectOneOf(file, "ManifestType", {type});
  ExpectOneOf(file, "ManifestVersion", {"1.6.0"});
}

TEST(WingetCommand, TheThreeFilesHoldTheRequiredFieldsWithTheirTypes) {
#if !defined(SETUPKIT_HAVE_YAML)
  GTEST_SKIP() << "libyaml is missing";
#else
  ProductFolder product;
  product.WriteQuillWriter();
  product.WriteStub();
  RecordingConsole console;
  ASSERT_EQ(RunBuild(product.Options(), console.console), kExitOk) << console.err;
  const std::string out = product.root() + "/winget";
  ASSERT_EQ(RunCommandLine({"winget", product.OutputPath(), "--id", "Acme.QuillWriter", "--url",
                            "https://example.com/QuillSetup.exe", "--out", out, "--license",
                            "Proprietary", "--description", "A small writing program"},
                           console.console),
            kExitOk)
      << console.err;

  const Node version = ReadYaml(out + "/Acme.QuillWriter.yaml");
  ExpectCommonFields(version, "version");
  ExpectOneOf(version, "DefaultLocale", {"en-US"});
  EXPECT_EQ(Keys(version),
            (std::set<std::string>{"PackageIdentifier", "PackageVersion", "DefaultLocale",
                                   "ManifestType", "ManifestVersion"}));

  const Node locale = ReadYaml(out + "/Acme.QuillWriter.locale.en-US.yaml");
  ExpectCommonFields(locale, "defaultLocale");
  ExpectOneOf(locale, "PackageLocale", {"en-US"});
  ExpectString(locale, "Publisher", 2, 256);
  ExpectString(locale, "PackageName", 2, 256);
  ExpectString(locale, "License", 3, 512);
  ExpectString(locale, "ShortDescription", 3, 256);
  EXPECT_EQ(Keys(locale).size(), 9u);
  // From the script's header: name, company, version.
  EXPECT_EQ(locale.map.at("PackageName").text, "Quill Writer");
  EXPECT_EQ(locale.map.at("Publisher").text, "Acme");
  EXPECT_EQ(locale.map.at("PackageVersion").text, "2.0");

  const Node installer = ReadYaml(out + "/Acme.QuillWriter.installer.yaml");
  ExpectCommonFields(installer, "installer");
  EXPECT_EQ(Keys(installer), (std::set<std::string>{
                                 "PackageIdentifier", "PackageVersion", "InstallerType", "Scope",
                                 "ElevationRequirement", "InstallerSwitches", "ExpectedReturnCodes",
                                 "UpgradeBehavior", "ProductCode", "AppsAndFeaturesEntries",
                                 "Installers", "ManifestType", "ManifestVersion"}));
  ExpectOneOf(installer, "InstallerType", {"exe"});
  ExpectOneOf(installer, "Scope", {"machine"});
  ExpectOneOf(installer, "ElevationRequirement",
              {"elevationRequired", "elevationProhibited", "elevatesSelf"});
  EXPECT_EQ(installer.map.at("ElevationRequirement").text, "elevatesSelf");
  ExpectOneOf(installer, "UpgradeBehavior", {"install"});
  ExpectString(installer, "ProductCode", 1, 255);
  EXPECT_EQ(installer.map.at("ProductCode").text, "Quill Writer");

  const Node& switches = installer.map.at("InstallerSwitches");
  ASSERT_EQ(switches.kind, Node::Map);
  const std::map<std::string, std::string> expectedSwitches = {
      {"Silent", "/VERYSILENT"},
      {"SilentWithProgress", "/SILENT"},
      {"InstallLocation", "/DIR=\"<INSTALLPATH>\""},
      {"Log", "/LOG=\"<LOGPATH>\""}};
  EXPECT_EQ(switches.keys.size(), expectedSwitches.size());
  for (const auto& [key, value] : expectedSwitches) {
    ExpectString(switches, key, 1, 512);
    EXPECT_EQ(switches.map.count(key) ? switches.map.at(key).text : "", value);
  }

  const Node& codes = installer.map.at("ExpectedReturnCodes");
  ASSERT_EQ(codes.kind, Node::List);
  std::map<std::string, std::string> responses;
  for (const Node& code : codes.list) {
    ASSERT_EQ(code.kind, Node::Map);
    EXPECT_EQ(Keys(code), (std::set<std::string>{"InstallerReturnCode", "ReturnResponse"}));
    EXPECT_EQ(code.map.at("InstallerReturnCode").kind, Node::Integer);
    responses[code.map.at("InstallerReturnCode").text] = code.map.at("ReturnResponse").text;
  }
  EXPECT_EQ(responses, (std::map<std::string, std::string>{{"1", "cancelledByUser"},
                                                           {"2", "custom"},
                                                           {"3", "invalidParameter"},
                                                           {"4", "custom"},
                                                           {"5", "custom"},
                                                           {"1618", "installInProgress"},
                                                           {"3010", "rebootRequiredToFinish"}}));

  const Node& entries = installer.map.at("AppsAndFeaturesEntries");
  ASSERT_EQ(entries.kind, Node::List);
  ASSERT_EQ(entries.list.size(), 1u);
  EXPECT_EQ(Keys(entries.list[0]),
            (std::set<std::string>{"DisplayName", "Publisher", "DisplayVersion", "ProductCode"}));
  for (const char* key : {"DisplayName", "Publisher", "DisplayVersion", "ProductCode"})
    ExpectString(entries.list[0], key, 1, 128);

  const Node& installers = installer.map.at("Installers");
  ASSERT_EQ(installers.kind, Node::List);
  ASSERT_EQ(installers.list.size(), 1u);
  const Node& one = installers.list[0];
  EXPECT_EQ(Keys(one), (std::set<std::string>{"Architecture", "InstallerUrl", "InstallerSha256"}));
  ExpectOneOf(one, "Architecture", {"x86", "x64", "arm", "arm64", "neutral"});
  EXPECT_EQ(one.map.at("Architecture").text, "x86");
  EXPECT_TRUE(one.map.at("InstallerUrl").text.starts_with("https://"));
  ASSERT_TRUE(IsSha256(one.map.at("InstallerSha256").text));
  std::string digest =
      package::DigestText(package::Sha256Of(builder_test::ReadFile(product.OutputPath())));
  for (char& c : digest) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(one.map.at("InstallerSha256").text, digest);
#endif
}

TEST(WingetCommand, AnIdentifierTheFormatRefusesWritesNothing) {
  ProductFolder product;
  product.WriteQuillWriter();
  product.WriteStub();
  RecordingConsole console;
  ASSERT_EQ(RunBuild(product.Options(), console.console), kExitOk) << console.err;
  const std::string out = product.root() + "/winget";
  EXPECT_EQ(RunCommandLine({"winget", product.OutputPath(), "--id", "QuillWriter", "--url",
                            "https://example.com/s.exe", "--out", out, "--license", "MIT",
                            "--description", "Writes"},
                           console.console),
            kExitFailure);
  EXPECT_NE(console.err.find("is not PUBLISHER.PRODUCT"), std::string::npos) << console.err;
  EXPECT_EQ(RunCommandLine({"winget", product.OutputPath(), "--id", "Acme.Quill", "--url",
                            "https://example.com/s.exe", "--out", out},
                           console.console),
            kExitUsage);
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace mksetup
#endif
