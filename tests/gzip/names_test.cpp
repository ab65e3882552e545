// The name rules, against what GNU gzip 1.12 does with the same names.
#include <gtest/gtest.h>

#include "names.h"

namespace gz::names {
namespace {

struct Decompressing {
  const char* name;
  const char* suffix;
  const char* output;  // nullptr: "unknown suffix -- ignored"
};

class DecompressedNameTest : public ::testing::TestWithParam<Decompressing> {};

TEST_P(DecompressedNameTest, FollowsGnuGzip) {
  const Decompressing& c = GetParam();
  const std::optional<std::string> output = DecompressedName(c.name, c.suffix);
  if (c.output) {
    EXPECT_EQ(output, c.output) << c.name << " -S " << c.suffix;
  } else {
    EXPECT_FALSE(output) << c.name << " -S " << c.suffix;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, DecompressedNameTest,
    ::testing::Values(Decompressing{"temp.gz", ".gz", "temp"}, Decompressing{"a.GZ", ".gz", "a"},
                      Decompressing{"a.z", ".gz", "a"}, Decompressing{"a.Z", ".gz", "a"},
                      Decompressing{"a-gz", ".gz", "a"}, Decompressing{"a-z", ".gz", "a"},
                      Decompressing{"a_z", ".gz", "a"}, Decompressing{"b.tgz", ".gz", "b.tar"},
                      Decompressing{"b.TAZ", ".gz", "b.tar"}, Decompressing{"dir/x.y.gz", ".gz", "dir/x.y"},
                      Decompressing{"a", ".gz", nullptr}, Decompressing{"a.txt", ".gz", nullptr},
                      Decompressing{".gz", ".gz", nullptr}, Decompressing{"dir/.gz", ".gz", nullptr},
                      Decompressing{"agz", ".gz", nullptr}, Decompressing{"a.sav", ".sav", "a"},
                      Decompressing{"a.SAV", ".sav", "a"}, Decompressing{"a.gz", ".sav", "a"},
                      // -S z ends ".gz": the built-in suffix goes first.
                      Decompressing{"a.gz", "z", "a"}, Decompressing{"az", "z", "a"},
                      Decompressing{"kT", "T", "k"}, Decompressing{"état.sds.gz", ".gz", "état.sds"}));

TEST(FindSuffix, KeepsTheNamesOwnSpelling) {
  EXPECT_EQ(FindSuffix("a.GZ", ".gz"), ".GZ");
  EXPECT_EQ(FindSuffix("x.TGZ", ".gz"), ".TGZ");
  EXPECT_EQ(FindSuffix("state.sds", ".gz"), "");
}

TEST(DecompressCandidates, TriesTheSuffixInUseFirst) {
  EXPECT_EQ(DecompressCandidates("a", ".gz"), (std::vector<std::string>{"a.gz", "a.z", "a-z", "a.Z"}));
  EXPECT_EQ(DecompressCandidates("a", ".sav"),
            (std::vector<std::string>{"a.sav", "a.gz", "a.z", "a-z", "a.Z"}));
  EXPECT_TRUE(DecompressCandidates("a.gz", ".gz").empty()) << "a name with a suffix is not extended";
}

TEST(StoredNames, NeverLeaveTheOutputFolder) {
  EXPECT_EQ(WithStoredName("dir/other", "orig.txt"), "dir/orig.txt");
  EXPECT_EQ(WithStoredName("other", "../../etc/passwd"), "passwd");
  EXPECT_EQ(WithStoredName("dir/other", "sub/"), "dir/other") << "an empty stored name is no name";
#ifdef _WIN32
  EXPECT_EQ(WithStoredName("C:\\saves\\temp", "..\\evil.sds"), "C:\\saves\\evil.sds");
  EXPECT_EQ(WithStoredName("temp", "D:evil"), "evil");
#endif
}

TEST(BaseName, IsTheLastComponent) {
  EXPECT_EQ(BaseName("/usr/bin/gzip"), "gzip");
  EXPECT_EQ(BaseName("gzip"), "gzip");
#ifdef _WIN32
  EXPECT_EQ(BaseName("C:\\Program Files\\Stavrel\\game.sds"), "game.sds");
#endif
}

}  // namespace
}  // namespace gz::names
