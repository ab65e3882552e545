#include "state_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <utility>

#include "gzip_bytes.h"
#include "module_bytes.h"
#include "recording_window.h"
#include "test_files.h"

namespace stavrel {
namespace {

using test::Bytes;
using test::Gzip;
using test::Gunzip;
using test::ReadBytes;
using test::StateData;
using test::WriteBytes;

class StateFilesTest : public testing::Test {
 protected:
  test::GzipProgramFolder program_folder{L"prog dir \u00e9"};
  test::TempFolder folder;
  std::unique_ptr<Platform> platform;
  test::RecordingWindow window;
  const Bytes data = StateData();
  const Bytes state_bytes = Gzip(data);

  void SetUp() override {
    platform = program_folder.MakePlatform();
  }
  std::wstring OnlyError() {
    EXPECT_EQ(window.messages.size(), 1u);
    if (window.messages.empty()) return L"";
    EXPECT_EQ(window.messages[0].title, L"Error");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(window.CommandsEnabled());
    return window.messages[0].text;
  }
  void ExpectNoMessage() {
    for (const auto& m : window.messages) ADD_FAILURE() << "message: " << testing::PrintToString(m.text);
  }
  using Names = std::vector<std::wstring>;
};

TEST_F(StateFilesTest, CycleFromStateToSdsAndBack) {
  WriteBytes(folder / L"game.003", state_bytes);
  window.boxes[Box::FName] = L"game.003";
  Decompress(window, *platform, folder / L"game.003");
  ExpectNoMessage();
  EXPECT_EQ(folder.Names(), (Names{L"game.sds"}));
  EXPECT_EQ(ReadBytes(folder / L"game.sds"), data);
  EXPECT_EQ(window.commands_enabled, (std::vector<bool>{false, true}));

  Compress(window, *platform, folder / L"game.sds");
  ExpectNoMessage();
  EXPECT_EQ(folder.Names(), (Names{L"game.000"}));
  EXPECT_EQ(Gunzip(ReadBytes(folder / L"game.000")), data);
}

TEST_F(StateFilesTest, DecompressedNameFollowsTheDefaultName) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"mystate.000", L"mystate.sds"},
      {L"", L"game.sds"},  // an empty box stands for the state's own name
  };
  for (const auto& [default_name, final_name] : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(default_name)));
    WriteBytes(folder / L"game.003", state_bytes);
    window = {};
    window.boxes[Box::FName] = default_name;
    Decompress(window, *platform, folder / L"game.003");
    ExpectNoMessage();
    EXPECT_EQ(folder.Names(), (Names{final_name}));
    EXPECT_EQ(ReadBytes(folder / final_name), data);
    std::filesystem::remove(test::NativePath(folder / final_name));
  }
}

TEST_F(StateFilesTest, RecompressingANameWithAFourCharacterExtension) {
  WriteBytes(folder / L"game.1234", data);
  Compress(window, *platform, folder / L"game.1234");
  ExpectNoMessage();
  EXPECT_EQ(folder.Names(), (Names{L"game.1000"}));
}

TEST_F(StateFilesTest, StateFolderNeedNotBeTheCurrentFolder) {
  // Another dialog may have left the current folder elsewhere.
  test::TempFolder elsewhere;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(test::NativePath(elsewhere.Path()));
  WriteBytes(folder / L"game.003", state_bytes);
  window.boxes[Box::FName] = L"game.003";
  Decompress(window, *platform, folder / L"game.003");
  std::filesystem::current_path(previous);
  ExpectNoMessage();
  EXPECT_EQ(folder.Names(), (Names{L"game.sds"}));
  EXPECT_TRUE(elsewhere.Names().empty());
}

TEST_F(StateFilesTest, PathsWithoutAFolderWorkInTheCurrentFolder) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(test::NativePath(folder.Path()));
  WriteBytes(folder / L"-d.003", state_bytes);
  window.boxes[Box::FName] = L"-d.003";
  Decompress(window, *platform, L"-d.003");
  ExpectNoMessage();
  Compress(window, *platform, L"-d.sds");  // never read as an option
  ExpectNoMessage();
  std::filesystem::current_path(previous);
  EXPECT_EQ(folder.Names(), (Names{L"-d.000"}));
  EXPECT_EQ(Gunzip(ReadBytes(folder / L"-d.000")), data);
}

struct InTheWay {
  const wchar_t* existing;
  bool decompress;
};

TEST_F(StateFilesTest, FilesInTheWayAreNeverOverwrittenOrAdopted) {
  const InTheWay cases[] = {
      {L"temp.gz", true}, {L"temp", true}, {L"game.sds", true},
      {L"game.sds.gz", false}, {L"game.000", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.existing)));
    const std::wstring input = folder / (c.decompress ? L"game.003" : L"game.sds");
    const Bytes input_bytes = c.decompress ? state_bytes : data;
    WriteBytes(input, input_bytes);
    WriteBytes(folder / c.existing, {1, 2, 3});
    const Names before = folder.Names();
    window = {};
    window.boxes[Box::FName] = L"game.003";
    if (c.decompress)
      Decompress(window, *platform, input);
    else
      Compress(window, *platform, input);
    EXPECT_NE(OnlyError().find(folder / c.existing), std::wstring::npos) << OnlyError();
    EXPECT_EQ(folder.Names(), before);
    EXPECT_EQ(ReadBytes(input), input_bytes);
    EXPECT_EQ(ReadBytes(folder / c.existing), (Bytes{1, 2, 3}));
    std::filesystem::remove_all(test::NativePath(folder.Path()));
    std::filesystem::create_directory(test::NativePath(folder.Path()));
  }
}

// What a plan works out, or why it refuses; planning never changes the folder.
struct StatePlanCase {
  const char* name;
  bool decompress;
  const wchar_t* input;
  const wchar_t* default_name;
  const wchar_t* existing;  // put in the way first; nullptr: nothing
  const wchar_t* refused;   // in the summary; nullptr: a plan
  const wchar_t* final_name = nullptr;
  bool replaces_input = false;
  bool keep = false;
  int slot = 0;
  bool refuse_compressed = false;
};

TEST_F(StateFilesTest, PlansWorkOutEveryNameAndTouchNoFile) {
  WriteBytes(folder / L"game.003", state_bytes);
  WriteBytes(folder / L"game.sds", data);
  std::filesystem::create_directory(test::NativePath(folder / L"saves"));
  const StatePlanCase cases[] = {
      {"decompress", true, L"game.003", L"slot.003", nullptr, nullptr, L"slot.sds", false},
      {"decompress onto the state itself", true, L"game.sds", L"game.sds", nullptr, nullptr, L"game.sds", true},
      {"recompress", false, L"game.sds", L"", nullptr, nullptr, L"game.000", false},
      {"a slot", false, L"game.sds", L"", nullptr, nullptr, L"game.042", false, false, 42},
      {"the slot's name in the way", false, L"game.sds", L"", L"game.007", L"A file is in the way.", nullptr,
       false, false, 7},
      {"no such slot", false, L"game.sds", L"", nullptr, L"There is no slot 1000", nullptr, false, false, 1000},
      {"kept", true, L"game.003", L"kept.003", nullptr, nullptr, L"kept.sds", false, true},
      {"a kept state the result would replace", true, L"game.sds", L"game.sds", nullptr, L"which is to be kept",
       nullptr, false, true},
      {"gzip data to compress again", false, L"game.003", L"", nullptr, L"already gzip data", nullptr, false, false,
       0, true},
      {"gzip data may be compressed again when asked", false, L"game.003", L"", nullptr, nullptr, L"game.000",
       false, false, 0, false},
      {"a file that is not gzip data", false, L"game.sds", L"", nullptr, nullptr, L"game.000", false, false, 0,
       true},
      {"an unusable default name", true, L"game.003", L"ab", nullptr, L"No name for the decompressed state"},
      {"a missing state", true, L"none.003", L"none.003", nullptr, L"does not exist"},
      {"gzip's output name in the way", true, L"game.003", L"game.003", L"temp", L"A file is in the way."},
      {"the final name in the way", false, L"game.sds", L"", L"game.000", L"A file is in the way."},
      {"a folder as the state", true, L"saves", L"", nullptr, L"The state file is a folder, not a file."},
      {"a folder as the state, named with its \\", true, L"saves\\", L"", nullptr, L"is a folder, not a file"},
      {"a folder to compress", false, L"saves", L"", nullptr, L"The file to compress is a folder, not a file."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.existing) WriteBytes(folder / c.existing, {7});
    const Names before = folder.Names();
    try {
      std::wstring final_name;
      bool replaces = false;
      if (c.decompress) {
        const DecompressPlan plan = PlanDecompress({folder / c.input, c.default_name, c.keep}, *platform);
        EXPECT_EQ(plan.keeps_state, c.keep);
        EXPECT_EQ(plan.names.compressed, folder / L"temp.gz");
        EXPECT_EQ(plan.names.decompressed, folder / L"temp");
        std::tie(final_name, replaces) = std::pair(plan.names.final_name, plan.replaces_state);
      } else {
        const CompressPlan plan =
            PlanCompress({folder / c.input, c.keep, c.slot, c.refuse_compressed}, *platform);
        EXPECT_EQ(plan.names.compressed, folder / c.input + L".gz");
        std::tie(final_name, replaces) = std::pair(plan.names.final_name, plan.replaces_input);
      }
      ASSERT_EQ(c.refused, nullptr);
      EXPECT_EQ(final_name, folder / c.final_name);
      EXPECT_EQ(replaces, c.replaces_input);
    } catch (const CommandFailure& failure) {
      ASSERT_NE(c.refused, nullptr) << testing::PrintToString(failure.Report().summary);
      EXPECT_NE(failure.Report().summary.find(c.refused), std::wstring::npos);
      EXPECT_EQ(failure.Report().refusal == Refusal::FileInTheWay, c.existing != nullptr);
      EXPECT_EQ(failure.Report().refusal == Refusal::AlreadyCompressed, c.refuse_compressed);
    }
    EXPECT_EQ(folder.Names(), before);
    if (c.existing) std::filesystem::remove(test::NativePath(folder / c.existing));
  }
}

// gzip names the copy it was given ("gzip: temp.gz: ..."), by its own name
// or, in a deep folder, by its full name: the report names the state instead.
TEST_F(StateFilesTest, NotAGzipStateKeepsTheStateAndShowsGzipsReason) {
  const Bytes not_gzip = {'h', 'e', 'l', 'l', 'o', '\n'};
  std::wstring deep = folder.Path();
  while (deep.size() < 320) deep += std::wstring(40, L'd') + L"\\";
  std::filesystem::create_directories(test::NativePath(deep));
  for (const std::wstring& state_folder : {folder.Path(), deep}) {
    SCOPED_TRACE(state_folder.size());
    window = {};
    WriteBytes(state_folder + L"game.003", not_gzip);
    window.boxes[Box::FName] = L"game.003";
    Decompress(window, *platform, state_folder + L"game.003");
    const std::wstring text = OnlyError();
    EXPECT_EQ(text.find(L"temp.gz"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"game.003 is unchanged"), std::wstring::npos) << text;
    ASSERT_EQ(window.reports.size(), 1u);
    EXPECT_EQ(window.reports[0].file, state_folder + L"game.003");
    EXPECT_EQ(window.reports[0].reason, L"not in gzip format");
    EXPECT_EQ(window.reports[0].gzip_said, L"");
    EXPECT_EQ(ReadBytes(state_folder + L"game.003"), not_gzip);
  }
  EXPECT_EQ(folder.Names(), (Names{L"dddddddddddddddddddddddddddddddddddddddd", L"game.003"}));
}

// gzip ends without an error but makes nothing: its own words say why.
TEST_F(StateFilesTest, GzipThatMakesNoOutputIsQuoted) {
  WriteBytes(folder / L"x.gz", state_bytes);
  Compress(window, *platform, folder / L"x.gz");
  const std::wstring text = OnlyError();
  EXPECT_NE(text.find(L"already has .gz suffix"), std::wstring::npos) << text;
  EXPECT_EQ(folder.Names(), (Names{L"x.gz"}));
}

TEST_F(StateFilesTest, TruncatedStateKeepsTheStateAndLeavesNoTemporaries) {
  const Bytes truncated(state_bytes.begin(), state_bytes.begin() + state_bytes.size() / 2);
  WriteBytes(folder / L"game.003", truncated);
  window.boxes[Box::FName] = L"game.003";
  Decompress(window, *platform, folder / L"game.003");
  EXPECT_NE(OnlyError().find(L"unexpected end of file"), std::wstring::npos) << OnlyError();
  EXPECT_EQ(folder.Names(), (Names{L"game.003"}));
  EXPECT_EQ(ReadBytes(folder / L"game.003"), truncated);
}

TEST_F(StateFilesTest, AGzipWarningIsASuccessWhoseWarningIsShown) {
  Bytes with_garbage = state_bytes;
  with_garbage.insert(with_garbage.end(), {'j', 'u', 'n', 'k'});
  WriteBytes(folder / L"game.003", with_garbage);
  window.boxes[Box::FName] = L"game.003";
  Decompress(window, *platform, folder / L"game.003");
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].icon, MessageIcon::Warning);
  EXPECT_NE(window.messages[0].text.find(L"trailing garbage"), std::wstring::npos);
  EXPECT_EQ(folder.Names(), (Names{L"game.sds"}));
  EXPECT_EQ(ReadBytes(folder / L"game.sds"), data);
}

TEST_F(StateFilesTest, MissingGzipIsReportedBeforeAnythingIsTouched) {
  std::filesystem::remove(test::NativePath(program_folder / L"gzip.exe"));
  WriteBytes(folder / L"game.003", state_bytes);
  WriteBytes(folder / L"game.sds", data);
  for (bool decompress : {true, false}) {
    window = {};
    window.boxes[Box::FName] = L"x.003";
    if (decompress)
      Decompress(window, *platform, folder / L"game.003");
    else
      Compress(window, *platform, folder / L"game.sds");
    const std::wstring error = OnlyError();
    EXPECT_NE(error.find(L"Stavrel's gzip was not found at " + (program_folder / L"gzip.exe")),
              std::wstring::npos);
#ifndef _WIN32
    EXPECT_NE(error.find(L"\\libexec\\stavrel\\gzip."), std::wstring::npos);
#endif
    EXPECT_EQ(folder.Names(), (Names{L"game.003", L"game.sds"}));
  }
}

TEST_F(StateFilesTest, NamesThatCannotBeFormedAreReportedUpFront) {
  WriteBytes(folder / L"ab", data);
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(test::NativePath(folder.Path()));
  Compress(window, *platform, L"ab");
  std::filesystem::current_path(previous);
  EXPECT_NE(OnlyError().find(L"\"ab\""), std::wstring::npos) << OnlyError();
  EXPECT_EQ(folder.Names(), (Names{L"ab"}));
}

// Too short a name would have TrimExt cut into the folder: "<folder>sds" one
// level up. Such names are refused, the state untouched.
TEST_F(StateFilesTest, ShortNamesNeverLandOutsideTheStateFolder) {
  std::wstring beside = folder.Path();
  beside.pop_back();
  struct Case {
    const wchar_t* state;
    const wchar_t* default_name;
    bool decompress;
  };
  const Case cases[] = {
      {L"game.003", L"ab", true}, {L"game.003", L"a", true}, {L"game.003", L"abc", true},
      {L"ab", L"", true},         {L"ab", L"", false},       {L"abc", L"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.state)) + " " + testing::PrintToString(std::wstring(c.default_name)));
    window = {};
    WriteBytes(folder / c.state, state_bytes);
    window.boxes[Box::FName] = c.default_name;
    if (c.decompress)
      Decompress(window, *platform, folder / c.state);
    else
      Compress(window, *platform, folder / c.state);
    const std::wstring quoted = L"\"" + std::wstring(*c.default_name ? c.default_name : c.state) + L"\"";
    EXPECT_NE(OnlyError().find(quoted), std::wstring::npos) << OnlyError();
    EXPECT_EQ(folder.Names(), (Names{c.state}));
    EXPECT_EQ(ReadBytes(folder / c.state), state_bytes);
    for (const wchar_t* made : {L"sds", L"000", L"s", L"0"})
      EXPECT_FALSE(test::Exists(beside + made)) << "made beside the folder";
    std::filesystem::remove(test::NativePath(folder / c.state));
  }
}

// The input itself may be replaced by its own result: gzip removes its
// input first, or the decompressed data is complete beside it.
TEST_F(StateFilesTest, AFinalNameThatIsTheInputItselfIsReplaced) {
  WriteBytes(folder / L"game.000", data);
  Compress(window, *platform, folder / L"game.000");
  ExpectNoMessage();
  EXPECT_EQ(folder.Names(), (Names{L"game.000"}));
  EXPECT_EQ(Gunzip(ReadBytes(folder / L"game.000")), data);

  WriteBytes(folder / L"x.sds", state_bytes);
  window.boxes[Box::FName] = L"x.sds";
  Decompress(window, *platform, folder / L"x.sds");
  ExpectNoMessage();
  EXPECT_EQ(folder.Names(), (Names{L"game.000", L"x.sds"}));
  EXPECT_EQ(ReadBytes(folder / L"x.sds"), data);
}

// A user's GZIP=-N would have gzip write the name stored in the state
// instead of "temp".
TEST_F(StateFilesTest, GzipOptionsInTheEnvironmentChangeNothing) {
  WriteBytes(folder / L"game.sds", data);
  Compress(window, *platform, folder / L"game.sds");
  test::ScopedEnvironment gzip_options(L"GZIP", L"-N");
  window.boxes[Box::FName] = L"other.000";
  Decompress(window, *platform, folder / L"game.000");
  ExpectNoMessage();
  EXPECT_EQ(folder.Names(), (Names{L"other.sds"}));
  Compress(window, *platform, folder / L"other.sds");
  ExpectNoMessage();
  EXPECT_EQ(folder.Names(), (Names{L"other.000"}));
}

// A folder too long to be a process's working folder: gzip is given the
// full name instead.
TEST_F(StateFilesTest, StatesInDeepFoldersCycle) {
  std::wstring deep = folder.Path();
  while (deep.size() < 320) deep += std::wstring(40, L'd') + L"\\";
  std::filesystem::create_directories(test::NativePath(deep));
  WriteBytes(deep + L"game.003", state_bytes);
  window.boxes[Box::FName] = L"game.003";
  Decompress(window, *platform, deep + L"game.003");
  ExpectNoMessage();
  Compress(window, *platform, deep + L"game.sds");
  ExpectNoMessage();
  EXPECT_EQ(Gunzip(ReadBytes(deep + L"game.000")), data);
  EXPECT_FALSE(test::Exists(deep + L"temp.gz"));
  EXPECT_FALSE(test::Exists(deep + L"game.003"));
}

TEST_F(StateFilesTest, MissingStateChangesNothing) {
  window.boxes[Box::FName] = L"game.003";
  Decompress(window, *platform, folder / L"game.003");
  EXPECT_NE(OnlyError().find(folder / L"game.003"), std::wstring::npos);
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(StateFilesTest, EmptyPathsDoNothing) {
  Decompress(window, *platform, L"");
  Compress(window, *platform, L"");
  EXPECT_TRUE(window.messages.empty());
  EXPECT_TRUE(window.commands_enabled.empty());
}

}  // namespace
}  // namespace stavrel
