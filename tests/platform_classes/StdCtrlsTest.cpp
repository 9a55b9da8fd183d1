// The standard controls over the layer's window classes: memo editing and
// the clipboard, change notices, list box styles and re-creation, scroll
// bars, radio groups, labels.
#include "ClassesTestSupport.h"
#include "platform/classes/stdctrls/Button.h"
#include "platform/classes/stdctrls/CheckBox.h"
#include "platform/classes/stdctrls/ComboBox.h"
#include "platform/classes/stdctrls/Edit.h"
#include "platform/classes/stdctrls/Label.h"
#include "platform/classes/stdctrls/ListBox.h"
#include "platform/classes/stdctrls/Memo.h"
#include "platform/classes/stdctrls/RadioButton.h"
#include "platform/classes/stdctrls/ScrollBar.h"

namespace {

class StdCtrlsTest : public ClassesFixture {
protected:
  void SetUp() override
  {
    ClassesFixture::SetUp();
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetBounds(10, 10, 400, 300);
    Form->Show();
    Pump();
  }
  void TearDown() override
  {
    Form->Free();
    ClassesFixture::TearDown();
  }
  template <class T>
  T* Make(int l, int t, int w, int h)
  {
    auto* c = new T(Form);
    c->SetParent(Form);
    c->SetBounds(l, t, w, h);
    return c;
  }
  static std::string ClipboardText()
  {
    std::string text;
    if (OpenClipboard(nullptr)) {
      if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
      }
      CloseClipboard();
    }
    return text;
  }

  TForm* Form = nullptr;
};

struct TCounter {
  int Count = 0;
  void Bump(TObject*) { ++Count; }
};

TEST_F(StdCtrlsTest, MemoSelectsWithTheKeyboardAndCutsAndPastesThroughTheClipboard)
{
  auto* memo = Make<TMemo>(8, 8, 200, 100);
  TCounter changes;
  memo->OnChange = TNotifyEvent(&changes, &TCounter::Bump);
  memo->SetFocus();
  Display->TypeText("Bonjour");
  Pump();
  for (int i = 0; i < 3; ++i)
    KeyWith(VK_SHIFT, VK_LEFT);
  EXPECT_EQ(memo->SelStart(), 4);
  EXPECT_EQ(memo->SelText(), "our");
  KeyWith(VK_CONTROL, 'X');
  EXPECT_EQ(memo->Text(), "Bonj");
  EXPECT_EQ(ClipboardText(), "our");
  Key(VK_HOME);
  KeyWith(VK_CONTROL, 'V');
  EXPECT_EQ(memo->Text(), "ourBonj");
  memo->SelectAll();
  memo->CopyToClipboard();
  EXPECT_EQ(ClipboardText(), "ourBonj");
  EXPECT_EQ(changes.Count, 7 + 1 + 1) << "typed, cut, pasted";

  // Setting the whole text is one change.
  memo->Lines()->SetText("une\r\ndeux\r\n");
  EXPECT_EQ(changes.Count, 10);
  EXPECT_EQ(memo->Lines()->Count(), 2);
  memo->Lines()->Add("trois");
  memo->Lines()->Insert(0, "zéro");
  memo->Lines()->Delete(2);
  EXPECT_EQ(memo->Text(), "zéro\r\nune\r\ntrois\r\n");
  EXPECT_EQ(memo->CaretPos().y, 2);
}

TEST_F(StdCtrlsTest, MemoScrollsToTheCaretAndEditAnnouncesChanges)
{
  auto* memo = Make<TMemo>(8, 8, 200, 60);
  memo->SetScrollBars(ssVertical);
  for (int i = 0; i < 30; ++i)
    memo->Lines()->Add("ligne " + std::to_string(i));
  memo->SetFocus();
  KeyWith(VK_CONTROL, VK_END);
  EXPECT_GT(SendMessage(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 20);
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(memo->Handle(), SB_VERT, &info));
  EXPECT_GT(info.nPos, 0);

  auto* edit = Make<TEdit>(8, 80, 100, 21);
  TCounter changes;
  edit->OnChange = TNotifyEvent(&changes, &TCounter::Bump);
  edit->SetText("abc");
  edit->SetText("abc");
  EXPECT_EQ(changes.Count, 1);
  // The text survives a new window.
  edit->SetBorderStyle(bsNone);
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_EQ(changes.Count, 1) << "making the window again is no change";
  EXPECT_TRUE(edit->HandleAllocated());
}

TEST_F(StdCtrlsTest, ListBoxClicksPositionsAndKeepsItemsAcrossRecreation)
{
  auto* list = Make<TListBox>(8, 8, 150, 100);
  list->SetMultiSelect(true);
  list->SetExtendedSelect(false);
  for (const char* s : {"Alice", "Bob", "Carole", "David"})
    list->Items()->Add(s);
  TCounter clicks;
  list->OnClick = TNotifyEvent(&clicks, &TCounter::Bump);
  TRect second = list->ItemRect(1);
  EXPECT_EQ(list->ItemAtPos(TPoint(5, second.Top + 1), true), 1);
  EXPECT_EQ(list->ItemAtPos(TPoint(5, 90), true), -1);
  EXPECT_EQ(list->ItemAtPos(TPoint(5, 90), false), 4);

  ClickAt(list->ClientToScreen(TPoint(5, second.Top + 2)));
  list->SetSelected(3, true);
  EXPECT_EQ(clicks.Count, 1);
  EXPECT_EQ(list->SelCount(), 2);
  list->SetScrollWidth(400);

  list->SetBorderStyle(bsNone);  // a new window
  EXPECT_EQ(list->Items()->Count(), 4);
  EXPECT_EQ(list->Items()->Strings(2), "Carole");
  EXPECT_FALSE(list->Selected(0));
  EXPECT_TRUE(list->Selected(1));
  EXPECT_TRUE(list->Selected(3));
  EXPECT_EQ(list->ScrollWidth(), 400);
  EXPECT_THROW(list->Selected(9), EListError);
}

TEST_F(StdCtrlsTest, OwnerDrawnAndVirtualListBoxes)
{
  struct TDrawer {
    std::vector<std::string> Drawn;
    void Measure(TWinControl*, int index, int& height) { height = 10 * (index + 1); }
    void Draw(TWinControl* control, int index, TRect rect, TOwnerDrawState state)
    {
      auto* list = static_cast<TListBox*>(control);
      Drawn.push_back(list->Items()->Strings(index) + "@" + std::to_string(rect.Top) +
                      (state.Contains(odSelected) ? "*" : ""));
    }
    void Data(TWinControl*, int index, std::string& data) { data = "Ligne " + std::to_string(index); }
    int Find(TWinControl*, const std::string& s) { return s.rfind("Ligne ", 0) == 0 ? std::stoi(s.substr(6)) : -1; }
  } drawer;
  auto* list = Make<TListBox>(8, 8, 150, 100);
  list->SetStyle(lbOwnerDrawVariable);
  list->OnMeasureItem = TMeasureItemEvent(&drawer, &TDrawer::Measure);
  list->OnDrawItem = TDrawItemEvent(&drawer, &TDrawer::Draw);
  for (const char* s : {"a", "b", "c"})
    list->Items()->Add(s);
  list->SetItemIndex(1);
  UpdateWindow(list->Handle());
  EXPECT_EQ(list->ItemRect(2).Top, 30);
  EXPECT_NE(std::find(drawer.Drawn.begin(), drawer.Drawn.end(), "b@10*"), drawer.Drawn.end());
  EXPECT_NE(std::find(drawer.Drawn.begin(), drawer.Drawn.end(), "c@30"), drawer.Drawn.end());

  auto* virt = Make<TListBox>(170, 8, 150, 100);
  virt->SetStyle(lbVirtual);
  virt->OnData = TLBGetDataEvent(&drawer, &TDrawer::Data);
  virt->OnDataFind = TLBFindDataEvent(&drawer, &TDrawer::Find);
  virt->SetCount(1000);
  EXPECT_EQ(virt->Items()->Count(), 1000);
  EXPECT_EQ(virt->Items()->Strings(500), "Ligne 500");
  EXPECT_EQ(virt->Items()->IndexOf("Ligne 42"), 42);
  virt->SetTopIndex(990);
  virt->SetBorderStyle(bsNone);  // a new window keeps the count and the place
  EXPECT_EQ(virt->Count(), 1000);
  EXPECT_GT(virt->TopIndex(), 900);
}

TEST_F(StdCtrlsTest, ScrollBarCodesMoveThePositionWithinTheRange)
{
  auto* bar = Make<TScrollBar>(8, 8, 17, 150);
  bar->SetKind(sbVertical);
  bar->SetBounds(8, 8, 17, 150);
  bar->SetParams(0, 0, 100);
  bar->SetLargeChange(10);
  bar->SetSmallChange(2);
  struct TScrollLog {
    std::string Log;
    void Scroll(TObject*, TScrollCode code, int& pos)
    {
      Log += std::to_string(int(code)) + ":" + std::to_string(pos) + ";";
      if (code == scBottom)
        pos = 90;  // a handler may change where the bar goes
    }
  } log;
  bar->OnScroll = TScrollEvent(&log, &TScrollLog::Scroll);
  TCounter changes;
  bar->OnChange = TNotifyEvent(&changes, &TCounter::Bump);
  struct TCase {
    WORD Code;
    int Expected;
  };
  for (TCase c : {TCase{SB_PAGEDOWN, 10}, TCase{SB_LINEDOWN, 12}, TCase{SB_LINEUP, 10}, TCase{SB_BOTTOM, 90},
                  TCase{SB_TOP, 0}, TCase{SB_LINEUP, 0}}) {
    SendMessage(Form->Handle(), WM_VSCROLL, MAKEWPARAM(c.Code, 0), LPARAM(bar->Handle()));
    EXPECT_EQ(bar->Position(), c.Expected) << c.Code;
  }
  EXPECT_EQ(log.Log, "3:10;1:12;0:10;7:100;6:0;0:0;");
  EXPECT_EQ(changes.Count, 5);
  // A click on the lower arrow of the bar itself.
  ClickAt(bar->ClientToScreen(TPoint(8, 145)));
  EXPECT_EQ(bar->Position(), 2);
  EXPECT_THROW(bar->SetParams(0, 50, 10), EInvalidOperation);
}

TEST_F(StdCtrlsTest, RadioButtonsExcludeEachOtherAndLabelsSizeToTheirText)
{
  auto* a = Make<TRadioButton>(8, 8, 100, 17);
  auto* b = Make<TRadioButton>(8, 30, 100, 17);
  a->SetCaption("Envoi direct");
  b->SetCaption("Envoi par le serveur");
  a->SetChecked(true);
  ClickAt(CentreOf(b));
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked());
  EXPECT_EQ(SendMessage(a->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  auto* check = Make<TCheckBox>(8, 60, 150, 17);
  check->SetAllowGrayed(true);
  check->SetCaption("Enregistrer");
  check->SetState(cbGrayed);
  check->SetAlignment(lrLeftJustify);  // a new window keeps the state
  EXPECT_EQ(SendMessage(check->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);

  auto* label = Make<TLabel>(8, 90, 10, 10);
  label->SetCaption("Bonjour");  // 7 cells of the built-in font
  EXPECT_EQ(label->Width(), 42);
  EXPECT_EQ(label->Height(), 13);
  label->SetAlignment(taRightJustify);
  label->SetCaption("Bon");  // shrinks towards its right edge
  EXPECT_EQ(label->Left() + label->Width(), 50);
}

TEST_F(StdCtrlsTest, AButtonShowsItsActionAndRunsItOnAClick)
{
  auto* action = new TAction(Form);
  action->SetCaption("Envoyer");
  action->SetHint("Envoie le message");
  TCounter runs;
  action->OnExecute = TNotifyEvent(&runs, &TCounter::Bump);
  auto* button = Make<TButton>(8, 8, 75, 25);
  button->SetAction(action);
  EXPECT_EQ(button->Caption(), "Envoyer");
  EXPECT_EQ(button->Hint(), "Envoie le message");
  ClickAt(CentreOf(button));
  EXPECT_EQ(runs.Count, 1);
  action->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
  EXPECT_FALSE(IsWindowEnabled(button->Handle()));
  action->SetEnabled(true);
  button->SetCaption("Parler");  // its own caption from now on
  action->SetCaption("Envoi");
  EXPECT_EQ(button->Caption(), "Parler");
  delete action;
  EXPECT_EQ(button->Action(), nullptr);
  THeadlessDisplay::Advance(1000);
  ClickAt(CentreOf(button));  // the button kept the handler it took from the action
  EXPECT_EQ(runs.Count, 2);
}

TEST_F(StdCtrlsTest, ComboBoxPicksItemsWithTheKeyboardAndKeepsThemAcrossRecreation)
{
  auto* combo = Make<TComboBox>(8, 8, 120, 21);
  for (const char* s : {"Rouge", "Vert", "Bleu"})
    combo->Items()->Add(s);
  combo->SetItemIndex(0);
  TCounter changes;
  combo->OnChange = TNotifyEvent(&changes, &TCounter::Bump);
  combo->SetFocus();
  Key(VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(changes.Count, 1);
  EXPECT_EQ(combo->Text(), "Vert");
  combo->SetSorted(true);  // a new window, sorted
  EXPECT_EQ(combo->Items()->Count(), 3);
  EXPECT_EQ(combo->Items()->Strings(0), "Bleu");
  EXPECT_EQ(combo->Items()->IndexOf("Rouge"), 1);
  EXPECT_EQ(changes.Count, 1);
}

}  // namespace
