// Runs in locales made for the test, in encodings that the C library offers: some hold a
// character back until they have seen the byte after it, some make two characters of one byte
// sequence, and some do not write ASCII characters as ASCII bytes at all.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run_process.h"
#include "cli/script_texts.h"

namespace brackwen::testing {
namespace {

// A locale that localedef makes of a locale source and a character map.
struct LocaleName {
  std::string source;
  std::string charmap;
  // The locale's name, as LC_ALL gives it.
  std::string name() const { return source + "." + charmap; }
};

// Locales made with localedef into a temporary folder of their own, removed at the end.
class MadeLocales {
 public:
  // Makes `locales`, all at once; a locale that cannot be made is a test failure.
  explicit MadeLocales(const std::vector<LocaleName>& locales) {
    std::string pattern = (std::filesystem::temp_directory_path() / "brackwen-locales-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      ADD_FAILURE() << "could not make a temporary folder for the test's locales";
      return;
    }
    folder_ = pattern;
    std::vector<std::unique_ptr<Child>> makers;
    for (const LocaleName& locale : locales) {
      Launch launch;
      launch.program = "/usr/bin/localedef";
      launch.argv = {"localedef", "-c", "--quiet", "-i", locale.source, "-f", locale.charmap, folder_ + "/" + locale.name()};
      makers.push_back(std::make_unique<Child>(launch));
    }
    made_ = true;
    for (std::size_t i = 0; i < locales.size(); ++i) {
      // localedef -c ends with status 1 after mere warnings, such as a character map that is not
      // ASCII's, so what shows that it made the locale is the locale's files.
      const RunResult r = makers[i]->wait();
      if (!std::filesystem::exists(folder_ + "/" + locales[i].name() + "/LC_CTYPE")) {
        ADD_FAILURE() << "could not make the locale " << locales[i].name()
                      << " with localedef (tools/install-deps.sh installs what it needs): " << r.err;
        made_ = false;
      }
    }
  }
  ~MadeLocales() {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }
  MadeLocales(const MadeLocales&) = delete;
  MadeLocales& operator=(const MadeLocales&) = delete;

  // Whether every locale was made.
  bool made() const { return made_; }
  // How to run brackwen with `args` and `input` in `locale`, one of the locales made.
  Launch launch(const LocaleName& locale, const std::vector<std::string>& args, const std::string& input) const {
    Launch launch = brackwen_launch(args, input);
    launch.env = {"LOCPATH=" + folder_, "LC_ALL=" + locale.name()};
    return launch;
  }

 private:
  std::string folder_;
  bool made_ = false;
};

// The example override file that the repository ships.
std::string example_overrides() {
  std::ifstream file(EXAMPLE_OVERRIDES);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// `text` with a carriage return before each line feed.
std::string with_crlf(const std::string& text) {
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return crlf;
}

// An encoding, and a byte sequence that it makes two characters of, if it has one.
struct Encoding {
  LocaleName locale;
  std::string pair;
};

TEST(EncodingsTest, InputThatDecodesGivesTheScriptOfUtf8AndABadByteAfterAPairFailsBeforeTheFirstBlock) {
  const std::vector<Encoding> encodings = {
      // A letter is held back in case a tone mark follows it.
      {{"vi_VN", "CP1258"}, ""},
      {{"vi_VN", "TCVN5712-1"}, ""},
      // One sequence, two characters: U+00CA U+0304; U+304B U+309A; U+0B9C U+0BCD.
      {{"zh_HK", "BIG5-HKSCS"}, "\x88\x62"},
      {{"ja_JP", "EUC-JISX0213"}, "\xa4\xf7"},
      {{"ta_IN", "TSCII"}, "\x88"},
      // Encodings with neither.
      {{"zh_CN", "GB18030"}, ""},
      {{"en_US", "ISO-8859-1"}, ""},
      {{"ru_RU", "KOI8-R"}, ""},
  };
  std::vector<LocaleName> names;
  for (const Encoding& e : encodings) names.push_back(e.locale);
  const MadeLocales locales(names);
  ASSERT_TRUE(locales.made());

  const std::string example = example_overrides();
  ASSERT_EQ(example.back(), '\n');
  const std::vector<std::string> inputs = {example, example.substr(0, example.size() - 1), with_crlf(example)};
  std::vector<std::string> utf8_scripts;
  for (const std::string& input : inputs) utf8_scripts.push_back(script_for(input));
  for (const Encoding& e : encodings) {
    SCOPED_TRACE(e.locale.name());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      SCOPED_TRACE(inputs[i]);
      const RunResult r = run_process(locales.launch(e.locale, {"64", "32"}, inputs[i]));
      EXPECT_EQ(r.status, 0);
      EXPECT_EQ(r.err, "");
      EXPECT_EQ(r.out, utf8_scripts[i]);
    }
    if (e.pair.empty()) continue;
    // An only line is checked whole when the second line is looked for, before block 0.
    for (const std::string& line : {e.pair + "\xff", "abc" + e.pair + "\xff", "lb = 1 " + e.pair + "xy\xff"}) {
      SCOPED_TRACE(line);
      const RunResult r = run_process(locales.launch(e.locale, {"64", "32"}, line + "\n"));
      EXPECT_EQ(r.status, 1);
      EXPECT_EQ(r.err, kInvalid);
      EXPECT_EQ(r.out, kHeader);
    }
  }
}

TEST(EncodingsTest, AnEncodingThatDoesNotWriteAsciiAsItselfIsRefusedBeforeAnythingIsWritten) {
  // EBCDIC, and a German variant of ASCII with umlauts in place of brackets and braces.
  const std::vector<LocaleName> names = {{"en_US", "IBM037"}, {"de_DE", "DIN_66003"}};
  const MadeLocales locales(names);
  ASSERT_TRUE(locales.made());
  for (const LocaleName& locale : names) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"64", "32"}, {"-h"}}) {
      SCOPED_TRACE(locale.name() + " " + args[0]);
      const RunResult r = run_process(locales.launch(locale, args, example_overrides()));
      EXPECT_EQ(r.status, 1);
      EXPECT_EQ(r.err, "brackwen: the locale's character encoding " + locale.charmap +
                           " is not supported: it does not write ASCII characters as ASCII bytes\n");
      EXPECT_EQ(r.out, "");
    }
  }
}

}  // namespace
}  // namespace brackwen::testing
