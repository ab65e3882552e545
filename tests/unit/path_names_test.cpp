#include "path_names.h"

#include <gtest/gtest.h>

namespace stavrel {
namespace {

struct PathCase {
  const wchar_t* path;
  const wchar_t* root_dir;
  const wchar_t* trim_dir;
};

TEST(PathNames, RootDirAndTrimDirSplitAtTheLastBackslash) {
  const PathCase cases[] = {
      {L"C:\\snes\\game.000", L"C:\\snes\\", L"game.000"},
      {L"game.000", L"", L""},
      {L"C:\\", L"C:\\", L""},
      {L"C:\\a\\b\\", L"C:\\a\\b\\", L""},
      {L"C:/a/b.000", L"", L""},
      {L"\\\\server\\share\\s.001", L"\\\\server\\share\\", L"s.001"},
      {L"", L"", L""},
      {L"C:\\snes\\t\u00e9st \u00e9tat.003", L"C:\\snes\\", L"t\u00e9st \u00e9tat.003"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "path " << testing::PrintToString(std::wstring(c.path)));
    EXPECT_EQ(RootDir(c.path), c.root_dir);
    EXPECT_EQ(TrimDir(c.path), c.trim_dir);
  }
}

TEST(PathNames, TrimExtDropsThreeCharactersAndKeepsTheDot) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"C:\\snes\\game.000", L"C:\\snes\\game."},
      {L"abc", L""},
      {L"state.1234", L"state.1"},
      {L"save.0", L"sav"},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(TrimExt(path), expected) << path;
}

TEST(PathNames, TrimExtOfFewerThanThreeCharactersIsATypedFailureNamingThePath) {
  for (const wchar_t* path : {L"ab", L"a", L""}) {
    try {
      TrimExt(path);
      ADD_FAILURE() << "no failure for " << path;
    } catch (const PathTooShort& error) {
      EXPECT_EQ(error.Path(), path);
    }
  }
}

}  // namespace
}  // namespace stavrel
