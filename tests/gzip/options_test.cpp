// Command lines read as GNU gzip's getopt_long reads them; the expected
// messages are GNU gzip 1.12's.
#include <gtest/gtest.h>

#include "options.h"

namespace gz {
namespace {

CommandLine parse(std::vector<std::string> arguments, std::optional<std::string> environment = std::nullopt,
                  bool posixly_correct = false) {
  return ParseCommandLine("gzip", arguments, environment, posixly_correct);
}

TEST(Options, TheTwoCommandLinesStavrelUses) {
  const CommandLine decompress = parse({"-d", "temp.gz"});
  ASSERT_EQ(decompress.outcome, CommandLine::Outcome::Run);
  EXPECT_TRUE(decompress.options.decompress);
  EXPECT_TRUE(decompress.options.no_name) << "names are not restored by default";
  EXPECT_EQ(decompress.options.operands, std::vector<std::string>{"temp.gz"});

  const CommandLine compress = parse({"C:\\Saves\\game.sds"});
  EXPECT_FALSE(compress.options.decompress);
  EXPECT_FALSE(compress.options.no_name) << "names are stored by default";
  EXPECT_EQ(compress.options.level, 6);
  EXPECT_EQ(compress.options.operands, std::vector<std::string>{"C:\\Saves\\game.sds"});
}

TEST(Options, BundledAbbreviatedAndPermuted) {
  const Options o = parse({"a", "-dkv9", "--std", "b", "--suf", "x", "-Sy", "--no-n", "--", "-f"}).options;
  EXPECT_TRUE(o.decompress && o.keep && o.to_stdout);
  EXPECT_EQ(o.verbose, 1);
  EXPECT_EQ(o.level, 9);
  EXPECT_EQ(o.suffix, "y");
  EXPECT_EQ(o.force, 0) << "-f after -- is a file";
  EXPECT_EQ(o.operands, (std::vector<std::string>{"a", "b", "-f"}));
}

TEST(Options, LaterOptionsWin) {
  EXPECT_EQ(parse({"-9", "--fast"}).options.level, 1);
  EXPECT_FALSE(parse({"-v", "-q"}).options.verbose);
  EXPECT_FALSE(parse({"-q", "-v"}).options.quiet);
  EXPECT_TRUE(parse({"-d", "-N", "-n"}).options.no_name);
  EXPECT_FALSE(parse({"-n", "-N"}).options.no_time);
  EXPECT_EQ(parse({"-ff"}).options.force, 2);
}

TEST(Options, TestImpliesDecompressToNowhere) {
  const Options o = parse({"-t"}).options;
  EXPECT_TRUE(o.test && o.decompress && o.to_stdout);
}

TEST(Options, ListIsTestingThatPrintsAndRecursiveWalks) {
  const Options list = parse({"--list", "-r", "a"}).options;
  EXPECT_TRUE(list.list && list.decompress && list.to_stdout && list.recursive);
  EXPECT_FALSE(list.test) << "-l lists; it does not say OK";
  EXPECT_TRUE(parse({"-l"}).options.no_name) << "-l shows the file's own name unless -N";
  EXPECT_FALSE(parse({"-lN"}).options.no_name);
  EXPECT_TRUE(parse({"--rec"}).options.recursive) << "abbreviated";
}

TEST(Options, PosixlyCorrectStopsAtTheFirstOperand) {
  EXPECT_EQ(parse({"a", "-k"}, std::nullopt, true).options.operands, (std::vector<std::string>{"a", "-k"}));
  EXPECT_EQ(parse({"-", "-k"}).options.operands, std::vector<std::string>{"-"}) << "- is an operand";
}

struct Refusal {
  std::vector<std::string> arguments;
  std::string diagnostics;
};

class RefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusalTest, SaysWhatGnuGzipSays) {
  const CommandLine result = parse(GetParam().arguments);
  EXPECT_EQ(result.outcome, CommandLine::Outcome::Fail);
  EXPECT_EQ(result.diagnostics, GetParam().diagnostics);
}

const std::string kTry = "Try `gzip --help' for more information.\n";

INSTANTIATE_TEST_SUITE_P(
    Lines, RefusalTest,
    ::testing::Values(
        Refusal{{"-x"}, "gzip: invalid option -- 'x'\n" + kTry},
        Refusal{{"--bogus=1"}, "gzip: unrecognized option '--bogus=1'\n" + kTry},
        Refusal{{"--s"}, "gzip: option '--s' is ambiguous; possibilities: '--stdout' '--silent' '--synchronous' "
                         "'--suffix'\n" + kTry},
        Refusal{{"--ver"}, "gzip: option '--ver' is ambiguous; possibilities: '--verbose' '--version'\n" + kTry},
        Refusal{{"--stdout=3"}, "gzip: option '--stdout' doesn't allow an argument\n" + kTry},
        Refusal{{"--st=3"}, "gzip: option '--stdout' doesn't allow an argument\n" + kTry},
        Refusal{{"-S"}, "gzip: option requires an argument -- 'S'\n" + kTry},
        Refusal{{"--suffix"}, "gzip: option '--suffix' requires an argument\n" + kTry},
        Refusal{{"-S", ""}, "gzip: invalid suffix ''\n"},
        Refusal{{"-S", std::string(31, 'z')}, "gzip: invalid suffix '" + std::string(31, 'z') + "'\n"},
        Refusal{{"-Z"}, "gzip: -Z not supported in this version\n" + kTry},
        Refusal{{"-b", "1x"}, "gzip: -b operand is not an integer\n" + kTry}, Refusal{{"-?"}, kTry},
        Refusal{{"-x", "-h"}, "gzip: invalid option -- 'x'\n" + kTry}));

TEST(Options, HelpAndVersionEndTheParse) {
  EXPECT_EQ(parse({"-h", "-x"}).outcome, CommandLine::Outcome::Help);
  EXPECT_EQ(parse({"--he"}).outcome, CommandLine::Outcome::Help);
  EXPECT_EQ(parse({"-V", "--bogus"}).outcome, CommandLine::Outcome::Version);
  EXPECT_EQ(parse({"-S", "", "--help"}).outcome, CommandLine::Outcome::Help) << "help comes before the suffix check";
}

struct FromEnvironment {
  std::string value;
  CommandLine::Outcome outcome;
  std::string diagnostics;
};

class EnvironmentTest : public ::testing::TestWithParam<FromEnvironment> {};

const std::string kDeprecated = "gzip: warning: GZIP environment variable is deprecated; use an alias or script\n";

TEST_P(EnvironmentTest, TakesOnlyHarmlessOptions) {
  const CommandLine result = parse({"a"}, GetParam().value);
  EXPECT_EQ(result.outcome, GetParam().outcome);
  EXPECT_EQ(result.diagnostics, GetParam().diagnostics);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EnvironmentTest,
    ::testing::Values(FromEnvironment{"-9", CommandLine::Outcome::Run, kDeprecated},
                      FromEnvironment{" -q ", CommandLine::Outcome::Run, ""},
                      FromEnvironment{"", CommandLine::Outcome::Run, ""},
                      FromEnvironment{"-d", CommandLine::Outcome::Fail,
                                      "gzip: -d: option not valid in GZIP environment variable\n" + kTry},
                      FromEnvironment{"--stdout", CommandLine::Outcome::Fail,
                                      "gzip: --stdout: option not valid in GZIP environment variable\n" + kTry},
                      FromEnvironment{"a", CommandLine::Outcome::Fail,
                                      "gzip: a: non-option in GZIP environment variable\n" + kTry},
                      FromEnvironment{"-x", CommandLine::Outcome::Fail, "gzip: invalid option -- 'x'\n" + kTry}));

TEST(Options, EnvironmentLevelYieldsToTheCommandLine) {
  EXPECT_EQ(parse({"-1", "a"}, "-9").options.level, 1);
  EXPECT_EQ(parse({"a"}, "--best").options.level, 9);
}

}  // namespace
}  // namespace gz
