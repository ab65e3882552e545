// Decompressing and recompressing Snes9x states from the window, with the
// real gzip.exe beside stavrel.exe.
#include <gtest/gtest.h>

#include <map>

#include "gzip_bytes.h"
#include "module_bytes.h"
#include "stavrel_window_test.h"

namespace stavrel::ui {
namespace {

using test::Gunzip;
using test::Gzip;
using test::StateData;

const Bytes kNotGzip{'n', 'o', 't', ' ', 'g', 'z', 'i', 'p', ' ', 'd', 'a', 't', 'a', '\r', '\n'};

class StateFilesTest : public StavrelWindowTest {
 protected:
  std::vector<std::wstring> Names() const { return folder.Names(); }
};

TEST_F(StateFilesTest, DecompressAndRecompressThroughTheDialogs) {
  const Bytes data = StateData();
  WriteBytes(folder / L"game.003", Gzip(data));

  ASSERT_TRUE(Browse(2, folder / L"game.003"));
  EXPECT_EQ(Text(ids::txtDecompress), folder / L"game.003");
  EXPECT_EQ(Text(ids::txtFName), L"game.003");
  ASSERT_TRUE(PressAndWait(Control(ids::cmdDecompress))) << "Decompress! did not return (a message box?)";
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"game.sds"});
  EXPECT_EQ(ReadBytes(folder / L"game.sds"), data);

  ASSERT_TRUE(Browse(3, folder / L"game.sds"));
  EXPECT_EQ(Text(ids::txtCompress), folder / L"game.sds");
  ASSERT_TRUE(PressAndWait(Control(ids::cmdCompress))) << "Recompress! did not return (a message box?)";
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"game.000"});
  EXPECT_EQ(Gunzip(ReadBytes(folder / L"game.000")), data);
}

TEST_F(StateFilesTest, DecompressNamesTheResultAfterTheDefaultName) {
  const Bytes data = StateData();
  WriteBytes(folder / L"game.003", Gzip(data));
  Type(ids::txtDecompress, folder / L"game.003");
  Type(ids::txtFName, L"other name.007");

  ASSERT_TRUE(PressAndWait(Control(ids::cmdDecompress)));
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"other name.sds"});
  EXPECT_EQ(ReadBytes(folder / L"other name.sds"), data);
}

// A folder deeper than a process's current folder may be: gzip.exe is given
// full names there. Several rounds, since the road once corrupted the heap
// only now and then.
TEST_F(StateFilesTest, DeepFoldersCycleRepeatedly) {
  std::wstring deep = folder.Path();
  while (deep.size() < 310) {
    deep += std::wstring(40, L'd') + L"\\";
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
  }
  const Bytes data = StateData();
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    WriteBytes(deep + L"game.003", Gzip(data));
    Type(ids::txtDecompress, deep + L"game.003");
    Type(ids::txtFName, L"game.003");
    ASSERT_TRUE(PressAndWait(Control(ids::cmdDecompress))) << "Decompress! did not return";
    EXPECT_EQ(ReadBytes(deep + L"game.sds"), data);
    Type(ids::txtCompress, deep + L"game.sds");
    ASSERT_TRUE(PressAndWait(Control(ids::cmdCompress))) << "Recompress! did not return";
    EXPECT_EQ(Gunzip(ReadBytes(deep + L"game.000")), data);
    ASSERT_TRUE(DeleteFileW((deep + L"game.000").c_str()));
  }
  EXPECT_FALSE(program.Process().HasEnded());
}

// A state file that is not compressed yet, chosen through "All Files".
TEST_F(StateFilesTest, AnUncompressedStateZeroIsRecompressedInPlace) {
  const Bytes data = StateData();
  WriteBytes(folder / L"game.000", data);
  Type(ids::txtCompress, folder / L"game.000");
  ASSERT_TRUE(PressAndWait(Control(ids::cmdCompress))) << "Recompress! did not return";
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"game.000"});
  EXPECT_EQ(Gunzip(ReadBytes(folder / L"game.000")), data);
}

struct StateErrorCase {
  const char* name;
  std::map<std::wstring, Bytes> files;
  int box;
  const wchar_t* typed;  // a name in the test folder
  int button;
  const wchar_t* said;   // part of the message
  const wchar_t* default_name = L"";
};

class StateErrors : public StateFilesTest, public testing::WithParamInterface<StateErrorCase> {};

TEST_P(StateErrors, AreShownAndLeaveEveryFileAsItWas) {
  const StateErrorCase& c = GetParam();
  for (const auto& [name, bytes] : c.files) WriteBytes(folder / name, bytes);
  const std::wstring typed = folder / c.typed;
  Type(c.box, typed);
  Type(ids::txtFName, c.default_name);

  Press(Control(c.button));
  const MessageBoxWindow box = WaitForMessageBox();
  ASSERT_TRUE(box.Found()) << "no message box";
  EXPECT_EQ(box.Title(), L"Error");
  EXPECT_NE(box.Text().find(c.said), std::wstring::npos) << "the message: " << box.Text();
  EXPECT_EQ(box.Icon(), IconLook::Red) << NameOf(box.Icon());
  box.PressOk();
  ASSERT_TRUE(box.WaitUntilClosed());
  ASSERT_TRUE(SyncWith(program.Window()));

  std::vector<std::wstring> names;
  for (const auto& [name, bytes] : c.files) {
    names.push_back(name);
    EXPECT_EQ(ReadBytes(folder / name), bytes) << "changed: " << testing::PrintToString(name);
  }
  EXPECT_EQ(Names(), names) << "files made or lost";
  EXPECT_EQ(Text(c.box), typed);
  // Nothing beside the folder either, where too short a name once landed.
  std::wstring beside = folder.Path();
  beside.pop_back();
  for (const wchar_t* made : {L"sds", L"000", L"s"})
    EXPECT_EQ(GetFileAttributesW((beside + made).c_str()), INVALID_FILE_ATTRIBUTES);
}

const Bytes kState = Gzip(StateData());
const Bytes kRaw = StateData();

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, StateErrors, testing::Values(
  StateErrorCase{"NotGzipData",       {{L"bad.003", kNotGzip}},                   ids::txtDecompress, L"bad.003",  ids::cmdDecompress, L"not in gzip format"},
  StateErrorCase{"NoSuchState",       {},                                         ids::txtDecompress, L"gone.003", ids::cmdDecompress, L"does not exist"},
  StateErrorCase{"UnpackedStateInTheWay", {{L"game.003", kState}, {L"game.sds", {1, 2}}}, ids::txtDecompress, L"game.003", ids::cmdDecompress, L"in the way"},
  StateErrorCase{"PackedStateInTheWay",   {{L"game.sds", kRaw}, {L"game.000", {3, 4}}},   ids::txtCompress,   L"game.sds", ids::cmdCompress,   L"in the way"},
  StateErrorCase{"NoSuchUnpackedState", {},                                       ids::txtCompress,   L"gone.sds", ids::cmdCompress,   L"does not exist"},
  StateErrorCase{"OneLetterDefaultName", {{L"game.003", kState}},                 ids::txtDecompress, L"game.003", ids::cmdDecompress, L"\"a\"", L"a"},
  StateErrorCase{"TwoLetterDefaultName", {{L"game.003", kState}},                 ids::txtDecompress, L"game.003", ids::cmdDecompress, L"\"ab\"", L"ab"},
  StateErrorCase{"TwoLetterUnpackedState", {{L"ab", kRaw}},                       ids::txtCompress,   L"ab",       ids::cmdCompress,   L"\"ab\""}),
  [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace stavrel::ui
