// gzip -l's lines, byte for byte as GNU gzip 1.12 prints them (the expected
// text was taken from /usr/bin/gzip -l on the same inputs).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cctype>
#include <ctime>

#include "listing.h"
#include "gzip_memory_streams.h"

namespace gz {
namespace {

const std::string kHeading = "         compressed        uncompressed  ratio uncompressed_name\n";
const std::string kVerboseHeading = "method  crc     date  time  " + kHeading;

// "in" (17 bytes) compressed with its name: 40 bytes, 21 of them header and
// trailer; "big" (12000 bytes) in 78 bytes.
ListEntry In() { return {"defla", 0x6bf5d1f6, 0, 40, 17, 21, "in"}; }
ListEntry Big() { return {"defla", 0xaa27903b, 0, 78, 12000, 22, "big"}; }

struct ListCase {
  const char* name;
  bool verbose;
  bool quiet;
  std::vector<ListEntry> entries;
  bool finish;
  std::string expected;
};

class ListingTest : public ::testing::TestWithParam<ListCase> {
 protected:
  // Dates in UTC, whatever the machine's zone.
  static void SetUpTestSuite() {
#ifdef _WIN32
    _putenv("TZ=UTC0");
    _tzset();
#else
    setenv("TZ", "UTC0", 1);
    tzset();
#endif
  }
};

TEST_P(ListingTest, PrintsWhatGnuGzipPrints) {
  const ListCase& c = GetParam();
  testing::MemorySink out;
  Listing listing(out, c.verbose, c.quiet);
  for (const ListEntry& entry : c.entries) listing.Add(entry);
  if (c.finish) listing.Finish();
  EXPECT_EQ(std::string(out.data.begin(), out.data.end()), c.expected);
}

ListEntry At(ListEntry entry, std::int64_t time) {
  entry.time = time;
  return entry;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ListingTest,
    ::testing::Values(
        ListCase{"one", false, false, {In()}, false,
                 kHeading + "                 40                  17 -11.8% in\n"},
        ListCase{"totals", false, false, {In(), Big()}, true,
                 kHeading + "                 40                  17 -11.8% in\n"
                            "                 78               12000  99.5% big\n"
                            "                118               12017  99.2% (totals)\n"},
        ListCase{"verbose", true, false, {At(In(), 1765122900), At(Big(), 1583298367)}, true,
                 kVerboseHeading + "defla 6bf5d1f6 Dec  7 15:55                  40                  17 -11.8% in\n"
                                   "defla aa27903b Mar  4 05:06                  78               12000  99.5% big\n"
                                   "                                            118               12017  99.2% (totals)\n"},
        ListCase{"quiet: no heading, no totals", false, true, {In(), Big()}, true,
                 "                 40                  17 -11.8% in\n"
                 "                 78               12000  99.5% big\n"},
        ListCase{"nothing uncompressed: no totals", false, false,
                 {{"defla", 0, 0, 20, 0, 18, "e"}, {"defla", 0, 0, 20, 0, 18, "f"}}, true,
                 kHeading + "                 20                   0   0.0% e\n"
                            "                 20                   0   0.0% f\n"},
        ListCase{"over 4 GiB", false, false, {{"defla", 0, 0, 18741811, 4294967296, 22, "big"}}, false,
                 kHeading + "           18741811          4294967296  99.6% big\n"},
        ListCase{"several members: nothing left out", false, false, {{"defla", 0, 0, 4362132, 17, 0, "m"}}, false,
                 kHeading + "            4362132                  17 -25659500.0% m\n"},
        ListCase{"LZW and packed: no CRC", true, false,
                 {{"compr", std::nullopt, 1600000000, 6, 2, 0, "ab"}, {"pack ", std::nullopt, 1600000000, 15, 6, 0, "b"}},
                 true,
                 kVerboseHeading + "compr ffffffffffffffff Sep 13 12:26                   6                   2 -200.0% ab\n"
                                   "pack  ffffffffffffffff Sep 13 12:26                  15                   6 -150.0% b\n"
                                   "                                             21                   8 -162.5% (totals)\n"}),
    [](const ::testing::TestParamInfo<ListCase>& info) {
      std::string name;
      for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
      return name;
    });

TEST(Listing, DamagedInputAddsUpSoFarEvenQuietly) {
  testing::MemorySink out;
  Listing listing(out, false, true);
  listing.Damaged(0);  // nothing listed yet: nothing to add up
  listing.Add(In());
  listing.Damaged(0);
  EXPECT_EQ(std::string(out.data.begin(), out.data.end()),
            "                 40                  17 -11.8% in\n"
            "-135.3% (totals)\n");
}

TEST(Listing, DatesOutsideTheSystemsRangeAreQuestionMarks) {
  EXPECT_EQ(ListDate(std::int64_t{1} << 62), "??? ?? ??:??");
}

}  // namespace
}  // namespace gz
