// The check list box as the host's processor panel uses it: lines added,
// clicks in and out of the check area, space, "+" and "-", ItemChecked read
// back; radio and grayed cases; state kept across re-creation; the states
// stored through a placement's settings store; a golden picture of every
// check state.
#include <gtest/gtest.h>

#include "controls/utility/controls/UtCheckListBox.h"
#include "controls/utility/placement/UtFormPlacement.h"
#include "controls/utility/storage/UtMemoryAppStorage.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"
#include "tests/support/GoldenImage.h"

namespace {

class UtCheckListBoxTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    THeadlessDisplay::Advance(10000);
    SetBuiltinFontOnly(true);
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(nullptr);
    Form->SetBounds(0, 0, 300, 240);
    Box = new TUtxCheckListBox(Form);
    Box->SetName("lstMsgProc");
    Box->SetParent(Form);
    Box->SetBounds(10, 10, 200, 150);
    Form->Show();
    Pump();
  }
  void TearDown() override
  {
    Form->Free();
    Pump();
    SetBuiltinFontOnly(false);
  }
  void Pump() { Application()->ProcessMessages(); }
  void AddProcessors()
  {
    for (const char* name : {"Quenbyfx", "Smileys", "Liens", "Horodatage"})
      Box->Items()->Add(name);
  }
  // A press on line i at x pixels from its left edge.
  void ClickLine(int i, int x)
  {
    TRect r = Box->ItemBounds(i);
    TPoint p = Box->ClientToScreen(TPoint(r.Left + x, (r.Top + r.Bottom) / 2));
    Display->Click(p.x, p.y, 0);
    THeadlessDisplay::Advance(1000);  // no double click with the next one
    Pump();
  }
  void Key(BYTE vk, DWORD ch)
  {
    Box->SetFocus();
    Display->PressKey(vk, ch);
    Pump();
  }
  std::vector<TCheckBoxState> States()
  {
    std::vector<TCheckBoxState> s;
    for (int i = 0; i < Box->Items()->Count(); ++i)
      s.push_back(Box->ItemState(i));
    return s;
  }

  THeadlessDisplay* Display = nullptr;
  TCustomForm* Form = nullptr;
  TUtxCheckListBox* Box = nullptr;
};

TEST_F(UtCheckListBoxTest, TheProcessorPanelTicksWithMouseAndKeys)
{
  AddProcessors();
  ASSERT_EQ(Box->Items()->Count(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_FALSE(Box->ItemChecked(i));
    EXPECT_TRUE(Box->ItemEnabled(i));
  }
  EXPECT_EQ(Box->Items()->Strings(2), "Liens");
  try {
    Box->ItemChecked(4);
    ADD_FAILURE() << "no error for an index past the end";
  } catch (const EStringListError& e) {
    EXPECT_NE(std::string(e.Message()).find("(4)"), std::string::npos) << e.Message();
  }

  int clickChecks = 0;
  struct TCounter {
    int* N;
    void Hit(TObject*) { ++*N; }
  } counter{&clickChecks};
  Box->OnClickCheck = TNotifyEvent(&counter, &TCounter::Hit);

  ClickLine(1, 5);  // inside the check area
  EXPECT_TRUE(Box->ItemChecked(1));
  ClickLine(1, Box->CheckAreaWidth() + 10);  // on the text
  EXPECT_TRUE(Box->ItemChecked(1));
  EXPECT_EQ(Box->ItemIndex(), 1);
  Key(VK_SPACE, ' ');
  EXPECT_FALSE(Box->ItemChecked(1));
  EXPECT_EQ(clickChecks, 2);

  Key(VK_ADD, '+');
  EXPECT_EQ(States(), std::vector<TCheckBoxState>(4, cbChecked));
  Box->SetItemEnabled(3, false);
  Key(VK_SUBTRACT, '-');
  EXPECT_EQ(States(), (std::vector<TCheckBoxState>{cbUnchecked, cbUnchecked, cbUnchecked, cbChecked}));
  ClickLine(3, 5);  // a disabled line does not change
  EXPECT_TRUE(Box->ItemChecked(3));
  EXPECT_EQ(clickChecks, 4);

  // Below the last line there is no line.
  TRect last = Box->ItemBounds(3);
  EXPECT_EQ(Box->ItemIndexAtPoint(TPoint(5, last.Bottom + 3), true), -1);
  EXPECT_EQ(Box->ItemIndexAtPoint(TPoint(5, last.Bottom + 3), false), 4);
  EXPECT_EQ(Box->ItemIndexAtPoint(TPoint(-3, 5), false), -1);
  EXPECT_EQ(Box->ItemIndexAtPoint(TPoint(5, (last.Top + last.Bottom) / 2), true), 3);
}

TEST_F(UtCheckListBoxTest, GrayedCycleAndRadioChoice)
{
  AddProcessors();
  Box->SetAllowGrayed(true);
  std::vector<TCheckBoxState> seen;
  for (int i = 0; i < 3; ++i) {
    Box->CycleItemState(0);
    seen.push_back(Box->ItemState(0));
  }
  EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));

  Box->SetCheckKind(ckRadioButtons);
  EXPECT_FALSE(Box->AllowGrayed());
  EXPECT_EQ(Box->CheckedIndex(), 0) << "with none checked, line 0 is chosen";
  ClickLine(0, 5);
  EXPECT_TRUE(Box->ItemChecked(0)) << "the checked radio line stays checked";
  ClickLine(2, 5);
  EXPECT_EQ(States(), (std::vector<TCheckBoxState>{cbUnchecked, cbUnchecked, cbChecked, cbUnchecked}));
  int clickChecks = 0;
  struct TCounter {
    int* N;
    void Hit(TObject*) { ++*N; }
  } counter{&clickChecks};
  Box->OnClickCheck = TNotifyEvent(&counter, &TCounter::Hit);
  Key(VK_ADD, '+');
  Key(VK_SUBTRACT, '-');
  EXPECT_EQ(Box->CheckedIndex(), 2);
  EXPECT_EQ(clickChecks, 2);
}

TEST_F(UtCheckListBoxTest, StateTextAndDataSurviveRecreation)
{
  AddProcessors();
  Box->Items()->SetObjects(2, reinterpret_cast<TObject*>(std::intptr_t(77)));
  Box->SetItemState(0, cbGrayed);
  Box->SetItemChecked(2, true);
  Box->SetItemEnabled(3, false);
  Box->SetItemIndex(2);
  Box->SetSorted(true);  // a new window: the lines come back sorted, each with its state
  ASSERT_EQ(Box->Items()->Count(), 4);
  EXPECT_EQ(Box->Items()->Strings(0), "Horodatage");
  EXPECT_EQ(Box->Items()->Strings(1), "Liens");
  EXPECT_EQ(Box->Items()->Objects(1), reinterpret_cast<TObject*>(std::intptr_t(77)));
  EXPECT_EQ(States(), (std::vector<TCheckBoxState>{cbUnchecked, cbChecked, cbGrayed, cbUnchecked}));
  EXPECT_FALSE(Box->ItemEnabled(0));
  EXPECT_TRUE(Box->ItemEnabled(1));
  EXPECT_EQ(Box->ItemIndex(), 2);
  Box->SetStyle(lbOwnerDrawVariable);  // and again, in the same order
  EXPECT_EQ(States(), (std::vector<TCheckBoxState>{cbUnchecked, cbChecked, cbGrayed, cbUnchecked}));
  EXPECT_EQ(Box->Items()->Strings(3), "Smileys");
  // Lines longer than any fixed buffer come back whole.
  std::string longLine(10000, 'w');
  Box->Items()->Add(longLine);
  EXPECT_EQ(Box->Items()->Strings(4), longLine);
  EXPECT_GE(Box->HorizontalExtent(), Box->Canvas()->TextWidth(longLine));
  Box->Items()->Delete(4);
  EXPECT_LT(Box->HorizontalExtent(), 1000) << "deleting the widest line measures again";
}

TEST_F(UtCheckListBoxTest, StatesGoThroughThePlacementsStore)
{
  AddProcessors();
  auto* store = new TUtMemoryAppStorage(Form);
  auto* placement = new TUtFormPlacement(Form);
  placement->SetAppStorage(store);
  placement->SetAppStoragePath("Panneau");
  Box->SetIniStorage(placement);
  Box->SetItemChecked(1, true);
  Box->SetItemState(3, cbGrayed);
  placement->StoreAll();
  std::string base = TUtCustomAppStorage::JoinPaths({"Panneau", "TFormlstMsgProc"});
  EXPECT_EQ(store->ReadInteger(base + "\\Count", -1), 4);
  EXPECT_EQ(store->ReadInteger(base + "\\Item3", -1), 2);

  Box->SetAllItemStates(cbUnchecked, false);
  // A stored count above the lines restores only the lines; a number that
  // is no check state is left out.
  store->WriteInteger(base + "\\Count", 9);
  store->WriteInteger(base + "\\Item0", 5);
  placement->LoadAll();
  EXPECT_EQ(States(), (std::vector<TCheckBoxState>{cbUnchecked, cbChecked, cbUnchecked, cbGrayed}));

  // Without a name the store is not touched.
  store->DeleteTree("Panneau");
  Box->SetName("");
  placement->StoreAll();
  EXPECT_FALSE(store->ValueExists(base + "\\Count"));
  Box->SetIniStorage(nullptr);
}

TEST_F(UtCheckListBoxTest, CheckImageCells)
{
  EXPECT_EQ(TUtxCheckListBox::CheckImageCell(cbChecked, ckCheckMarks, false), 16);
  EXPECT_EQ(TUtxCheckListBox::CheckImageCell(cbGrayed, ckCheckBoxes, true), 2);
  EXPECT_EQ(TUtxCheckListBox::CheckImageCell(cbUnchecked, ckRadioButtons, true), 6);
}

TEST_F(UtCheckListBoxTest, EveryCheckStateMatchesTheGoldenPicture)
{
  const char* names[] = {"Coché", "Non coché", "Grisé", "Inactif coché", "Inactif", "Inactif grisé"};
  const TCheckBoxState states[] = {cbChecked, cbUnchecked, cbGrayed, cbChecked, cbUnchecked, cbGrayed};
  std::vector<TPixelImage> parts;
  for (TCheckKind kind : {ckCheckBoxes, ckRadioButtons, ckCheckMarks}) {
    Box->Items()->Clear();
    Box->SetCheckKind(ckCheckBoxes);
    Box->SetAllowGrayed(true);
    for (int i = 0; i < 6; ++i) {
      Box->Items()->Add(names[i]);
      Box->SetItemState(i, states[i]);
      Box->SetItemEnabled(i, i < 3);
    }
    // In radio mode one line stays checked and the others read unchecked.
    Box->SetCheckKind(kind);
    Box->SetItemIndex(-1);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    // Painting into a context measures every line at the stored item height.
    const int rows = 6 * 16;
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, rows);
    HGDIOBJ old = SelectObject(dc, bitmap);
    Box->SetBounds(10, 10, 200, rows);
    Box->Perform(WM_PAINT, WPARAM(dc), 0);
    SelectObject(dc, old);
    parts.push_back(CaptureBitmap(bitmap));
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  }
  TPixelImage sheet;
  sheet.Width = parts[0].Width;
  for (auto& p : parts) {
    sheet.Height += p.Height;
    sheet.Pixels.insert(sheet.Pixels.end(), p.Pixels.begin(), p.Pixels.end());
  }
  std::string message;
  EXPECT_TRUE(MatchesGolden(sheet, std::string(UTILITY_GOLDEN_DIR) + "/check-list-box.png", &message)) << message;
}

}  // namespace
