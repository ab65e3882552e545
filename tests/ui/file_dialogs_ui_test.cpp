// The four "..." buttons: which dialog each opens, what a cancelled dialog
// leaves behind, and the save dialog's question before replacing a file.
#include <gtest/gtest.h>

#include "stavrel_window_test.h"

namespace stavrel::ui {
namespace {

struct BrowseCase {
  const char* name;
  int index;
  int box;
  const wchar_t* title;
  const wchar_t* first_file_type_pattern;
};

// clang-format off
const BrowseCase kBrowseCases[] = {
  {"ModuleToRead",   0, ids::txtFile1,      L"Open",    L"*.mdl"},
  {"ModuleToWrite",  1, ids::txtFile2,      L"Save As", L"*.mdl"},
  {"StateToUnpack",  2, ids::txtDecompress, L"Open",    L"*.00*"},
  {"StateToPack",    3, ids::txtCompress,   L"Open",    L"*.sds"},
};
// clang-format on

class FileDialogs : public StavrelWindowTest {};

class BrowseButtons : public StavrelWindowTest, public testing::WithParamInterface<BrowseCase> {};

TEST_P(BrowseButtons, OpenTheirDialogAndCancellingLeavesTheBoxAsItWas) {
  const BrowseCase& c = GetParam();
  const std::wstring before = L"C:\\kept\\as typed.00x";
  Type(c.box, before);
  Type(ids::txtFName, L"kept.name");

  const FileDialog dialog = OpenBrowseDialog(c.index);
  ASSERT_TRUE(dialog.Found()) << "no file dialog";
  EXPECT_EQ(dialog.Title(), c.title);
  const auto types = dialog.FileTypes();
  ASSERT_FALSE(types.empty());
  EXPECT_NE(types.front().find(c.first_file_type_pattern), std::wstring::npos) << "first file type: " << types.front();
  EXPECT_EQ(dialog.Owner(), program.Window());

  dialog.Cancel();
  ASSERT_TRUE(dialog.WaitUntilClosed());
  ASSERT_TRUE(SyncWith(program.Window()));
  EXPECT_EQ(Text(c.box), before);
  EXPECT_EQ(Text(ids::txtFName), L"kept.name");
}

INSTANTIATE_TEST_SUITE_P(All, BrowseButtons, testing::ValuesIn(kBrowseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileDialogs, ModuleDialogShowsTheModuleFileType) {
  const FileDialog dialog = OpenBrowseDialog(0);
  ASSERT_TRUE(dialog.Found());
  const auto types = dialog.FileTypes();
  ASSERT_FALSE(types.empty());
  EXPECT_EQ(types.front(), L"Varn Moudles (*.mdl)");
  dialog.Cancel();
  EXPECT_TRUE(dialog.WaitUntilClosed());
}

TEST_F(FileDialogs, StateDialogFillsTheDefaultNameWithTheFileName) {
  const std::wstring state = folder / L"game.003";
  WriteBytes(state, {1, 2, 3});
  ASSERT_TRUE(Browse(2, state));
  EXPECT_EQ(Text(ids::txtDecompress), state);
  EXPECT_EQ(Text(ids::txtFName), L"game.003");
}

struct ReplaceCase {
  const char* name;
  bool replace;
};

class SavingOverAFile : public StavrelWindowTest, public testing::WithParamInterface<ReplaceCase> {};

TEST_P(SavingOverAFile, AsksFirstAndTakesTheNameOnlyOnYes) {
  const std::wstring existing = folder / L"existing.mdl";
  const Bytes old_bytes{9, 8, 7};
  WriteBytes(existing, old_bytes);
  Type(ids::txtFile2, L"before.mdl");

  const FileDialog dialog = OpenBrowseDialog(1);
  ASSERT_TRUE(dialog.Found());
  dialog.Choose(existing);
  const OverwriteQuestion question = OverwriteQuestion::WaitFor(dialog);
  ASSERT_TRUE(question.Found()) << "the save dialog did not ask before replacing";
  if (GetParam().replace) {
    question.AnswerYes();
    ASSERT_TRUE(dialog.WaitUntilClosed());
  } else {
    question.AnswerNo();
    ASSERT_TRUE(question.WaitUntilClosed());
    // "No" returns to the dialog: the user gives up there.
    dialog.Cancel();
    ASSERT_TRUE(dialog.WaitUntilClosed());
  }
  ASSERT_TRUE(SyncWith(program.Window()));

  EXPECT_EQ(Text(ids::txtFile2), GetParam().replace ? existing : L"before.mdl");
  // Choosing a name writes nothing: only "Convert!" does.
  EXPECT_EQ(ReadBytes(existing), old_bytes);
}

INSTANTIATE_TEST_SUITE_P(Answers, SavingOverAFile,
                         testing::Values(ReplaceCase{"Yes", true}, ReplaceCase{"No", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace stavrel::ui
