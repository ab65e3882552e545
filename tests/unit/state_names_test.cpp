#include "state_names.h"

#include <gtest/gtest.h>

#include <tuple>

#include "path_names.h"

namespace stavrel {
namespace {

struct DecompressCase {
  const wchar_t* state;
  const wchar_t* default_name;
  const wchar_t* final_name;
  const wchar_t* temporary;
};

TEST(StateNames, DecompressedStateIsNamedAfterTheDefaultName) {
  const DecompressCase cases[] = {
      {L"C:\\snes\\game.003", L"game.003", L"C:\\snes\\game.sds", L"C:\\snes\\temp"},
      {L"C:\\snes\\game.003", L"mystate.000", L"C:\\snes\\mystate.sds", L"C:\\snes\\temp"},
      // An empty default name stands for the state's own name.
      {L"C:\\snes\\game.002", L"", L"C:\\snes\\game.sds", L"C:\\snes\\temp"},
      // Without a folder everything happens in the current one.
      {L"game.003", L"game.003", L"game.sds", L"temp"},
      // ... where the state's own name is the whole path.
      {L"game.003", L"", L"game.sds", L"temp"},
      {L"C:\\snes\\x.sds", L"x.sds", L"C:\\snes\\x.sds", L"C:\\snes\\temp"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(c.state)) << " + "
                                    << testing::PrintToString(std::wstring(c.default_name)));
    const auto names = FormDecompressNames(c.state, c.default_name);
    EXPECT_EQ(names.final_name, c.final_name);
    EXPECT_EQ(names.decompressed, c.temporary);
    EXPECT_EQ(names.compressed, std::wstring(c.temporary) + L".gz");
  }
}

TEST(StateNames, RecompressedStateAlwaysEndsInThreeZeros) {
  const std::tuple<const wchar_t*, const wchar_t*, int> cases[] = {
      {L"C:\\snes\\game.sds", L"C:\\snes\\game.000", 0},
      {L"C:\\snes\\game.1234", L"C:\\snes\\game.1000", 0},
      {L"game.sds", L"game.000", 0},
      {L"game.000", L"game.000", 0},
      // A slot other than 0 is the extension, always in three digits.
      {L"game.sds", L"game.001", 1},
      {L"C:\\snes\\game.sds", L"C:\\snes\\game.042", 42},
      {L"game.003", L"game.999", 999},
  };
  for (const auto& [path, final_name, slot] : cases) {
    const auto names = FormCompressNames(path, slot);
    EXPECT_EQ(names.final_name, final_name) << path;
    EXPECT_EQ(names.compressed, std::wstring(path) + L".gz") << path;
  }
}

TEST(StateNames, DecompressThenRecompressEndsAsStateZero) {
  const auto sds = FormDecompressNames(L"D:\\s\\game.003", L"game.003").final_name;
  EXPECT_EQ(FormCompressNames(sds).final_name, L"D:\\s\\game.000");
}

// A final name must lie in the input's own folder and keep something before
// its new extension; TrimExt alone would cut into the folder ("C:\snessds").
TEST(StateNames, NamesThatCannotBeFormedAreRefused) {
  const std::pair<const wchar_t*, const wchar_t*> decompress_cases[] = {
      {L"ab.003", L"ab"},           {L"ab", L""},
      {L"C:\\snes\\game.003", L"ab"}, {L"C:\\snes\\game.003", L"a"},
      {L"C:\\snes\\game.003", L"abc"}, {L"C:\\snes\\ab", L""},
      {L"C:\\snes\\game.003", L"..\\x.000"}, {L"C:\\snes\\game.003", L"sub/x.000"},
      {L"C:\\snes\\game.003", L"C:x.000"},
  };
  for (const auto& [state, name] : decompress_cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(state)) + " + " + testing::PrintToString(std::wstring(name)));
    try {
      FormDecompressNames(state, name);
      ADD_FAILURE() << "a name was formed";
    } catch (const UnusableName& error) {
      // The message quotes what the user gave: the default name, or the
      // state's own name when the default name is empty.
      EXPECT_EQ(error.Name(), *name ? std::wstring(name) : (std::wstring(state).find(L'\\') == std::wstring::npos
                                                                ? std::wstring(state) : TrimDir(state)));
    }
  }
  for (const wchar_t* path : {L"ab", L"abc", L"C:\\snes\\ab", L"C:\\snes\\abc"})
    EXPECT_THROW(FormCompressNames(path), UnusableName) << testing::PrintToString(std::wstring(path));
}

TEST(StateNames, CommandLines) {
  EXPECT_EQ(GzipProgram(L"C:\\Apps"), L"C:\\Apps\\gzip.exe");
  // At a drive root the separator is doubled, which Windows reads as one.
  const DecompressNames names = FormDecompressNames(L"C:\\snes\\game.003", L"");
  EXPECT_EQ(DecompressCommandLine(GzipProgram(L"C:\\"), names), L"C:\\\\gzip.exe -d temp.gz");
  EXPECT_EQ(CompressCommandLine(L"C:\\Apps\\gzip.exe", L"C:\\snes\\game.sds"),
            L"C:\\Apps\\gzip.exe \"C:\\snes\\game.sds\"");
  EXPECT_EQ(CompressCommandLine(L"C:\\Apps\\gzip.exe", L"C:\\snes\\game.sds", /*keep=*/true),
            L"C:\\Apps\\gzip.exe -k \"C:\\snes\\game.sds\"");
  EXPECT_EQ(CompressCommandLine(L"C:\\Program Files\\Stavrel\\gzip.exe", L"C:\\a b\\g.sds"),
            L"\"C:\\Program Files\\Stavrel\\gzip.exe\" \"C:\\a b\\g.sds\"");
  EXPECT_EQ(DecompressCommandLine(L"C:\\Program Files\\Stavrel\\gzip.exe", names),
            L"\"C:\\Program Files\\Stavrel\\gzip.exe\" -d temp.gz");
  // A folder too long to be a process's working folder is named in full.
  const std::wstring deep = L"C:\\" + std::wstring(kLongestWorkingFolder, L'd') + L"\\";
  EXPECT_EQ(DecompressCommandLine(L"C:\\A\\gzip.exe", FormDecompressNames(deep + L"g.003", L"")),
            L"C:\\A\\gzip.exe -d \"" + deep + L"temp.gz\"");
  // A name that starts with "-" must not read as options.
  EXPECT_EQ(CompressCommandLine(L"C:\\A\\gzip.exe", L"-d.sds"), L"C:\\A\\gzip.exe \".\\-d.sds\"");
}

}  // namespace
}  // namespace stavrel
