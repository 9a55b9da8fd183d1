#include "ControlTestSupport.h"

namespace {

class ListBoxTest : public TControlFixture {
public:
  // Ten items of 13 pixels in a 200 x 65 list: five show.
  HWND MakeList(DWORD style, int id = 1)
  {
    HWND l = Make("ListBox", style | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 10, 10, 200, 65, "", id);
    for (int i = 0; i < 10; ++i)
      SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("item " + std::to_string(i)).c_str()));
    Notices.clear();
    return l;
  }
  std::vector<int> Selected(HWND l)
  {
    std::vector<int> out;
    for (int i = 0; i < SendMessage(l, LB_GETCOUNT, 0, 0); ++i)
      if (SendMessage(l, LB_GETSEL, i, 0) > 0)
        out.push_back(i);
    return out;
  }
  void ClickItem(HWND l, int i, bool shift = false, bool ctrl = false)
  {
    if (shift)
      Display->KeyDown(VK_SHIFT);
    if (ctrl)
      Display->KeyDown(VK_CONTROL);
    ClickAt(l, 20, i * 13 + 5);
    if (ctrl)
      Display->KeyUp(VK_CONTROL);
    if (shift)
      Display->KeyUp(VK_SHIFT);
    Pump();
    THeadlessDisplay::Advance(1000);  // no double click with the next one
  }
};

TEST_F(ListBoxTest, SortedInsertionIgnoresCaseAndKeepsArrivalOrderOfEquals)
{
  HWND l = Make("ListBox", LBS_SORT | LBS_HASSTRINGS, 10, 10, 100, 100);
  for (const char* s : {"poire", "Abricot", "pomme", "abricot", "Été", "banane"})
    SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  std::vector<std::string> got;
  char buf[32];
  for (int i = 0; i < SendMessage(l, LB_GETCOUNT, 0, 0); ++i) {
    SendMessage(l, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));
    got.push_back(buf);
  }
  EXPECT_EQ(got, (std::vector<std::string>{"Abricot", "abricot", "banane", "poire", "pomme", "Été"}));
  EXPECT_EQ(SendMessage(l, LB_FINDSTRING, -1, reinterpret_cast<LPARAM>("PO")), 3);
  EXPECT_EQ(SendMessage(l, LB_FINDSTRING, 3, reinterpret_cast<LPARAM>("po")), 4);
  EXPECT_EQ(SendMessage(l, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("BANANE")), 2);
  EXPECT_EQ(SendMessage(l, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("ban")), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_GETTEXTLEN, 5, 0), 5);  // UTF-8 bytes
  EXPECT_EQ(SendMessage(l, LB_GETTEXT, 9, reinterpret_cast<LPARAM>(buf)), LB_ERR);
}

TEST_F(ListBoxTest, SingleSelectionByMouseAndKeys)
{
  HWND l = MakeList(WS_VSCROLL);
  SetFocus(l);
  EXPECT_EQ(Codes(l), (std::vector<WORD>{LBN_SETFOCUS}));
  ClickItem(l, 2);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Codes(l), (std::vector<WORD>{LBN_SELCHANGE}));
  Key(VK_DOWN);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 3);
  Key(VK_END);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 9);
  EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 5);  // the selection scrolled into view
  EXPECT_EQ(GetScrollPos(l, SB_VERT), 5);
  Key(VK_PRIOR);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 5);
  Display->TypeText("i");
  Pump();
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 6);  // type-ahead from the next item
  EXPECT_EQ(Count(LBN_SELCHANGE, l), 4);
  // Selection set by message is not announced.
  Notices.clear();
  EXPECT_EQ(SendMessage(l, LB_SETCURSEL, 1, 0), 1);
  EXPECT_EQ(SendMessage(l, LB_SETCURSEL, WPARAM(-1), 0), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_TRUE(Codes(l).empty());
  // Dragging moves a single selection with the pointer; one notice at release.
  THeadlessDisplay::Advance(1000);
  TPoint a(20, 5), b(20, 3 * 13 + 5);
  ClientToScreen(l, &a);
  ClientToScreen(l, &b);
  SendMessage(l, LB_SETTOPINDEX, 0, 0);
  Display->MoveMouse(a.x, a.y);
  Display->Press();
  Pump();
  Display->MoveMouse(b.x, b.y);
  Pump();
  Display->Release();
  Pump();
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(Count(LBN_SELCHANGE, l), 1);
  // A double click tells the parent.
  Notices.clear();
  ClickAt(l, 20, 5);
  ClickAt(l, 20, 5);
  EXPECT_EQ(Count(LBN_DBLCLK, l), 1);
}

TEST_F(ListBoxTest, MultipleAndExtendedSelection)
{
  struct TCase {
    const char* What;
    DWORD Style;
    std::function<void(ListBoxTest&, HWND)> Do;
    std::vector<int> Expected;
  } cases[] = {
      {"multiple: clicks toggle", LBS_MULTIPLESEL,
       [](ListBoxTest& t, HWND l) { t.ClickItem(l, 1); t.ClickItem(l, 3); t.ClickItem(l, 1); }, {3}},
      {"multiple: arrows move the caret, Space toggles", LBS_MULTIPLESEL,
       [](ListBoxTest& t, HWND l) { t.ClickItem(l, 0); t.Key(VK_DOWN); t.Key(VK_DOWN); t.Key(VK_SPACE); }, {0, 2}},
      {"extended: Shift+click selects the range", LBS_EXTENDEDSEL,
       [](ListBoxTest& t, HWND l) { t.ClickItem(l, 1); t.ClickItem(l, 3, true); }, {1, 2, 3}},
      {"extended: Ctrl+click adds", LBS_EXTENDEDSEL,
       [](ListBoxTest& t, HWND l) { t.ClickItem(l, 1); t.ClickItem(l, 3, false, true); }, {1, 3}},
      {"extended: a plain click starts over", LBS_EXTENDEDSEL,
       [](ListBoxTest& t, HWND l) { t.ClickItem(l, 1); t.ClickItem(l, 3, true); t.ClickItem(l, 4); }, {4}},
      {"extended: Shift+Down extends", LBS_EXTENDEDSEL,
       [](ListBoxTest& t, HWND l) { t.ClickItem(l, 2); t.Key(VK_DOWN, true); t.Key(VK_DOWN, true); }, {2, 3, 4}},
      {"extended: drag selects the range", LBS_EXTENDEDSEL,
       [](ListBoxTest& t, HWND l) {
         TPoint a(20, 5), b(20, 2 * 13 + 5);
         ClientToScreen(l, &a);
         ClientToScreen(l, &b);
         t.Display->MoveMouse(a.x, a.y);
         t.Display->Press();
         t.Pump();
         t.Display->MoveMouse(b.x, b.y);
         t.Pump();
         t.Display->Release();
         t.Pump();
       },
       {0, 1, 2}},
  };
  int id = 10;
  for (auto& c : cases) {
    SCOPED_TRACE(c.What);
    HWND l = MakeList(c.Style, id++);
    SetFocus(l);
    Pump();
    c.Do(*this, l);
    EXPECT_EQ(Selected(l), c.Expected);
    EXPECT_EQ(SendMessage(l, LB_GETSELCOUNT, 0, 0), LRESULT(c.Expected.size()));
    int items[10];
    EXPECT_EQ(SendMessage(l, LB_GETSELITEMS, 10, reinterpret_cast<LPARAM>(items)), LRESULT(c.Expected.size()));
    EXPECT_GT(Count(LBN_SELCHANGE, l), 0);
    DestroyWindow(l);
    THeadlessDisplay::Advance(1000);
  }
}

TEST_F(ListBoxTest, ItemsFromPointsRectanglesAndScrolling)
{
  HWND l = MakeList(WS_VSCROLL);
  LRESULT hit = SendMessage(l, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 2 * 13 + 1));
  EXPECT_EQ(LOWORD(hit), 2);
  EXPECT_EQ(HIWORD(hit), 0);
  hit = SendMessage(l, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 200));
  EXPECT_EQ(HIWORD(hit), 1);  // outside the client area
  TRect r;
  SendMessage(l, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.Top, 39);
  EXPECT_EQ(r.Bottom, 52);
  SendMessage(l, LB_SETTOPINDEX, 4, 0);
  EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 4);
  EXPECT_EQ(LOWORD(SendMessage(l, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 1))), 4);
  SendMessage(l, LB_SETTOPINDEX, 9, 0);
  EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 5);  // no further than a full last page
  // The bar's arrows scroll by one item.
  TRect client;
  GetClientRect(l, &client);
  ClickAt(l, client.Right + 8, 5);
  EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 4);
  // Deleting above the top keeps the caret and the selection on their items.
  SendMessage(l, LB_SETCURSEL, 6, 0);
  SendMessage(l, LB_DELETESTRING, 0, 0);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 5);
  SendMessage(l, LB_SETHORIZONTALEXTENT, 300, 0);
  EXPECT_EQ(SendMessage(l, LB_GETHORIZONTALEXTENT, 0, 0), 300);
}

TEST_F(ListBoxTest, OwnerDrawnListsAskTheParent)
{
  std::vector<UINT> measured, drawn, deleted;
  int compares = 0;
  On(WM_MEASUREITEM, [&](UINT, WPARAM, LPARAM l, LRESULT& r) {
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    EXPECT_EQ(mi->CtlType, ODT_LISTBOX);
    measured.push_back(mi->itemID);
    mi->itemHeight = 10 + mi->itemID;
    r = TRUE;
    return true;
  });
  On(WM_DRAWITEM, [&](UINT, WPARAM, LPARAM l, LRESULT& r) {
    auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    drawn.push_back(UINT(di->itemData));
    if (di->itemState & ODS_SELECTED)
      drawn.push_back(1000 + di->itemID);
    r = TRUE;
    return true;
  });
  On(WM_DELETEITEM, [&](UINT, WPARAM, LPARAM l, LRESULT& r) {
    deleted.push_back(UINT(reinterpret_cast<DELETEITEMSTRUCT*>(l)->itemData));
    r = TRUE;
    return true;
  });
  On(WM_COMPAREITEM, [&](UINT, WPARAM, LPARAM l, LRESULT& r) {
    auto* ci = reinterpret_cast<COMPAREITEMSTRUCT*>(l);
    ++compares;
    r = ci->itemData1 < ci->itemData2 ? -1 : ci->itemData1 > ci->itemData2 ? 1 : 0;
    return true;
  });
  HWND l = Make("ListBox", LBS_OWNERDRAWVARIABLE | LBS_SORT | LBS_NOINTEGRALHEIGHT, 10, 10, 100, 100);
  for (LPARAM data : {30, 10, 20})
    SendMessage(l, LB_ADDSTRING, 0, data);
  EXPECT_GT(compares, 0);
  EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, 0, 0), 10);
  EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, 2, 0), 30);
  EXPECT_EQ(measured.size(), 3u);
  EXPECT_EQ(SendMessage(l, LB_FINDSTRING, -1, 20), 1);  // without texts, by item data
  TRect r;
  SendMessage(l, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.Height(), int(SendMessage(l, LB_GETITEMHEIGHT, 1, 0)));
  SendMessage(l, LB_SETCURSEL, 1, 0);
  drawn.clear();
  RedrawWindow(l, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(drawn, (std::vector<UINT>{10, 20, 1001, 30}));
  SendMessage(l, LB_DELETESTRING, 2, 0);
  EXPECT_EQ(deleted, (std::vector<UINT>{30}));
  DestroyWindow(l);
  EXPECT_EQ(deleted, (std::vector<UINT>{30, 20, 10}));
}

TEST_F(ListBoxTest, KeyboardInputCanBeTakenByTheParent)
{
  On(WM_VKEYTOITEM, [&](UINT, WPARAM w, LPARAM, LRESULT& r) {
    r = LOWORD(w) == VK_DOWN ? 7 : -2;  // Down jumps to item 7, everything else is eaten
    return true;
  });
  HWND l = MakeList(LBS_WANTKEYBOARDINPUT);
  SetFocus(l);
  Key(VK_DOWN);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 7);
  Key(VK_HOME);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 7);
}

}  // namespace
