// The check list box as the host's processor panel uses it: lines added,
// clicks in and out of the check area, space, "+" and "-", ItemChecked read
// back; radio and grayed cases; state kept across re-creation; the states
// stored through a placement's settings store; a golden picture of every
// check state.
#include <gtest/gtest.h>

#include "StreamedState.h"

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

// With automatic dragging a press on a selected line of a multiple
// selection starts a drag instead of selecting; released without a drop it
// was a click after all and selects that line alone.
TEST_F(UtCheckListBoxTest, AClickThatStartedNoDragStillSelects)
{
  AddProcessors();
  Box->SetMultiSelect(true);
  Box->SetDragMode(dmAutomatic);
  for (int i : {0, 2})
    Box->Perform(LB_SETSEL, TRUE, i);
  ASSERT_EQ(Box->SelCount(), 2);
  ClickLine(2, Box->CheckAreaWidth() + 20);
  EXPECT_FALSE(Box->Dragging());
  EXPECT_EQ(Box->SelCount(), 1);
  EXPECT_TRUE(Box->Selected(2));

  Box->SetMultiSelect(false);
  ClickLine(1, Box->CheckAreaWidth() + 20);
  EXPECT_FALSE(Box->Dragging());
  EXPECT_EQ(Box->ItemIndex(), 1);
}

TEST_F(UtCheckListBoxTest, LinesAndStatesGoThroughTheFormStream)
{
  AddProcessors();
  Box->SetAllowGrayed(true);
  Box->SetItemChecked(1, true);
  Box->SetItemState(2, cbGrayed);
  Box->SetItemEnabled(3, false);
  std::string bytes = WrittenState(Box);
  EXPECT_NE(bytes.find("InternalVersion"), std::string::npos);

  auto* copy = new TUtxCheckListBox(Form);
  copy->SetParent(Form);
  copy->Items()->Add("effacée à la lecture");
  int notified = 0;
  struct TCounter {
    int* N;
    void Hit(TObject*, int) { ++*N; }
  } counter{&notified};
  copy->OnStateChange = TChangeStateEvent(&counter, &TCounter::Hit);
  ReadState(copy, bytes);
  ASSERT_EQ(copy->Items()->Count(), 4);
  EXPECT_EQ(copy->Items()->Strings(3), "Horodatage");
  std::vector<TCheckBoxState> states;
  for (int i = 0; i < 4; ++i)
    states.push_back(copy->ItemState(i));
  EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbUnchecked, cbChecked, cbGrayed, cbUnchecked}));
  EXPECT_FALSE(copy->ItemEnabled(3));
  EXPECT_EQ(notified, 0) << "reading a stream does not notify";

  // Against an ancestor holding the same lines (text compared without case)
  // nothing is written; one state apart, the lines are.
  auto* ancestor = new TUtxCheckListBox(Form);
  ancestor->SetParent(Form);
  for (int i = 0; i < 4; ++i) {
    ancestor->Items()->Add(UpperCase(Box->Items()->Strings(i)));
    ancestor->SetItemState(i, Box->ItemState(i));
    ancestor->SetItemEnabled(i, Box->ItemEnabled(i));
  }
  std::string same = WrittenState(Box, ancestor);
  EXPECT_EQ(same.find("Strings"), std::string::npos);
  EXPECT_EQ(same.find("InternalVersion"), std::string::npos);
  ancestor->SetItemState(2, cbChecked);
  EXPECT_NE(WrittenState(Box, ancestor).find("Strings"), std::string::npos);
  ancestor->Items()->Delete(3);
  EXPECT_NE(WrittenState(Box, ancestor).find("Strings"), std::string::npos) << "lists of another length";
}

// Streams of older versions: a checked flag before the enabled flag, and
// from version 1 an integer state after them.
TEST_F(UtCheckListBoxTest, OlderStreamLayoutsAndHostileStatesAreRead)
{
  struct TLine {
    std::string Text;
    bool Checked;
    bool Enabled;
    int State;
  };
  auto make = [](int version, const std::vector<TLine>& lines) {
    TMemoryStream stream;
    TWriter w(&stream);
    if (version >= 0) {
      w.WriteStr("InternalVersion");
      w.WriteInteger(version);
    }
    w.WriteStr("Strings");
    w.WriteListBegin();
    for (const TLine& line : lines) {
      w.WriteString(line.Text);
      if (version < TUtxCheckListBox::StreamVersion) {
        w.WriteBoolean(line.Checked);
        w.WriteBoolean(line.Enabled);
        if (version > 0)
          w.WriteInteger(line.State);
      } else {
        w.WriteInteger(line.State);
        w.WriteBoolean(line.Enabled);
      }
    }
    w.WriteListEnd();
    w.WriteListEnd();  // end of the properties
    return std::string(static_cast<const char*>(stream.Memory()), std::size_t(stream.Size()));
  };
  auto states = [&] {
    std::vector<std::pair<TCheckBoxState, bool>> s;
    for (int i = 0; i < Box->Items()->Count(); ++i)
      s.push_back({Box->ItemState(i), Box->ItemEnabled(i)});
    return s;
  };
  using S = std::vector<std::pair<TCheckBoxState, bool>>;
  ReadState(Box, make(-1, {{"a", true, true, 0}, {"b", false, false, 0}}));
  EXPECT_EQ(states(), (S{{cbChecked, true}, {cbUnchecked, false}})) << "without a version";
  ReadState(Box, make(201, {{"a", true, true, 2}, {"b", false, true, 0}}));
  EXPECT_EQ(states(), (S{{cbGrayed, true}, {cbUnchecked, true}})) << "version 201";
  // A number that is no check state is left out.
  ReadState(Box, make(202, {{"a", false, true, 7}, {"b", false, true, -3}, {"c", false, true, 1}}));
  EXPECT_EQ(states(), (S{{cbUnchecked, true}, {cbUnchecked, true}, {cbChecked, true}}));

  // In radio mode each checked line unchecks the others: the last one stays.
  Box->SetCheckKind(ckRadioButtons);
  ReadState(Box, make(202, {{"a", false, true, 0}, {"b", false, true, 1}, {"c", false, true, 1}}));
  EXPECT_EQ(Box->CheckedIndex(), 2);
  ReadState(Box, make(202, {{"a", false, true, 0}, {"b", false, true, 0}}));
  EXPECT_EQ(Box->CheckedIndex(), 0) << "with none checked, line 0";

  // Every truncation of a stream is a read error, never a crash.
  std::string whole = make(202, {{"Quenbyfx", false, true, 1}});
  for (std::size_t n = 0; n < whole.size(); ++n)
    EXPECT_THROW(ReadState(Box, whole.substr(0, n)), EReadError) << n;
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
