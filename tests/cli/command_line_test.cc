// The command line, the usage text and the end of a run, through the built program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/run_process.h"
#include "cli/script_texts.h"

namespace brackwen::testing {
namespace {

const std::string kEmptyScript = kHeader +
                                 "\n"
                                 "enc_dec_ovs <-\n"
                                 "  [enc_length_int_ov\n"
                                 "  ,big_endian_compare_bits_ov];\n";

std::string usage_for(const std::string& program) {
  return "usage: " + program +
         " DST_N SRC_N < OVERRIDE_FILE\n"
         "\n"
         "Generate Quenby Script for overrides specified on stdin, \n"
         "using given destination and source buffer sizes.\n";
}

TEST(CommandLineTest, UsageTextForEveryCallThatIsNotTwoPlainArguments) {
  const std::vector<std::vector<std::string>> calls = {
      {},           {"64"},       {"64", "32", "16"}, {"-h", "32", "16"}, {"-h"},           {"--help"},
      {"-h", "32"}, {"64", "-h"}, {"--help", "32"},   {"64", "--help"},   {"-h", "--help"},
  };
  for (const auto& args : calls) {
    // Standard input holds an unreadable line: the usage text must not depend on it.
    const RunResult r = run_brackwen(args, "not an override\n");
    EXPECT_EQ(r.out, usage_for("brackwen")) << ::testing::PrintToString(args);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 1);
  }
}

TEST(CommandLineTest, TextsCloseToAnOptionAreBufferSizes) {
  const std::vector<std::vector<std::string>> calls = {
      {"-H", "32"}, {"64", "--Help"}, {"-h ", "32"}, {"64", "-help"}, {"--help=1", "32"}, {"", ""}, {"two", "words"},
  };
  for (const auto& args : calls) {
    const RunResult r = run_brackwen(args);
    EXPECT_EQ(r.out, kEmptyScript) << ::testing::PrintToString(args);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

TEST(CommandLineTest, UsageNamesTheProgramWithoutItsDirectories) {
  // A folder of this run's own, so that runs at once do not share the link.
  std::string pattern = (std::filesystem::temp_directory_path() / "brackwen-name-test-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::filesystem::path dir = pattern;
  const std::string link = (dir / "other-name").string();
  std::filesystem::create_symlink(brackwen_path(), link);
  struct Case {
    std::string program;            // the file run
    std::vector<std::string> argv;  // its whole argument vector
    std::string name;               // the name the usage line shows
  };
  const Case cases[] = {
      {brackwen_path(), {brackwen_path()}, "brackwen"},
      {link, {link, "-h", "32"}, "other-name"},
      {brackwen_path(), {"plain name"}, "plain name"},
      {brackwen_path(), {"some/dir/"}, ""},
  };
  for (const Case& c : cases) {
    Launch launch = brackwen_launch({});
    launch.program = c.program;
    launch.argv = c.argv;
    EXPECT_EQ(run_process(launch).out, usage_for(c.name)) << c.argv[0];
  }
  std::filesystem::remove_all(dir);
}

TEST(CommandLineTest, EmptyInputGivesTheScriptWithoutBlocks) {
  const RunResult r = run_brackwen({"64", "32"});
  EXPECT_EQ(r.out, kEmptyScript);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

TEST(CommandLineTest, AFullDeviceIsAFailureNotASuccess) {
  // The usage text, the script without blocks, and a script with blocks.
  for (const Launch& launch :
       {brackwen_launch({}), brackwen_launch({"64", "32"}), brackwen_launch({"64", "32"}, kEnc + "\n" + kDec + "\n")}) {
    SCOPED_TRACE(::testing::PrintToString(launch.argv) + " on " + ::testing::PrintToString(launch.input));
    Launch full = launch;
    full.output_path = "/dev/full";
    const RunResult r = run_process(full);
    EXPECT_EQ(r.err, "brackwen: standard output: No space left on device\n");
    EXPECT_EQ(r.status, 1);
  }
}

}  // namespace
}  // namespace brackwen::testing
