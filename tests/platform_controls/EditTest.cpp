#include "ControlTestSupport.h"

namespace {

class EditTest : public TControlFixture {
public:
  std::pair<int, int> Sel(HWND e)
  {
    DWORD a = 0, b = 0;
    SendMessage(e, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return {int(a), int(b)};
  }
  std::string Clipboard()
  {
    std::string s;
    if (!OpenClipboard(Parent))
      return s;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
      s = static_cast<const char*>(GlobalLock(h));
      GlobalUnlock(h);
    }
    CloseClipboard();
    return s;
  }
};

TEST_F(EditTest, TypingAccentsEuroAndLineEndsIntoAMemoWithClipboardRoundTrip)
{
  HWND e = Make("Edit", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 10, 10, 200, 100);
  SetFocus(e);
  Pump();
  Notices.clear();
  Display->TypeText("Café €");
  Key(VK_RETURN);
  Display->TypeText("x");
  Pump();
  EXPECT_EQ(Text(e), "Café €\r\nx");
  EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 2);
  // Backspace takes the x, then the whole line end at once.
  Key(VK_BACK);
  Key(VK_BACK);
  EXPECT_EQ(Text(e), "Café €");
  EXPECT_EQ(Count(EN_CHANGE, e), 10);
  EXPECT_EQ(Count(EN_UPDATE, e), 10);
  Key('A', false, true);
  Key('X', false, true);
  EXPECT_EQ(Text(e), "");
  EXPECT_EQ(Clipboard(), "Café €");
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  Key('V', false, true);
  Key('V', false, true);
  EXPECT_EQ(Text(e), "Café €Café €");
  // One level of undo: the last paste goes, and undoing again brings it back.
  Key('Z', false, true);
  EXPECT_EQ(Text(e), "Café €");
  EXPECT_TRUE(SendMessage(e, EM_UNDO, 0, 0));
  EXPECT_EQ(Text(e), "Café €Café €");
}

TEST_F(EditTest, SelectionByKeysAndMouse)
{
  struct TCase {
    const char* What;
    std::function<void(EditTest&, HWND)> Do;
    std::pair<int, int> Expected;
  } cases[] = {
      {"Shift+Right three times", [](EditTest& t, HWND) { for (int i = 0; i < 3; ++i) t.Key(VK_RIGHT, true); }, {0, 3}},
      {"Ctrl+Shift+Right takes the word and its space", [](EditTest& t, HWND) { t.Key(VK_RIGHT, true, true); }, {0, 6}},
      {"End then Shift+Home", [](EditTest& t, HWND) { t.Key(VK_END); t.Key(VK_HOME, true); }, {0, 11}},
      {"Shift+Left past the start stays", [](EditTest& t, HWND) { t.Key(VK_LEFT, true); }, {0, 0}},
      {"mouse drag from the third to the eighth character",
       [](EditTest& t, HWND e) {
         TPoint a(1 + 6 * 2 + 1, 5), b(1 + 6 * 7 + 1, 5);
         ClientToScreen(e, &a);
         ClientToScreen(e, &b);
         t.Display->MoveMouse(a.x, a.y);
         t.Display->Press();
         t.Pump();
         t.Display->MoveMouse(b.x, b.y);
         t.Pump();
         t.Display->Release();
         t.Pump();
       },
       {2, 7}},
      {"double click on the second word", [](EditTest& t, HWND e) { t.ClickAt(e, 1 + 6 * 8, 5); t.ClickAt(e, 1 + 6 * 8, 5); }, {6, 11}},
      {"click then Shift+click", [](EditTest& t, HWND e) {
         t.ClickAt(e, 1 + 6 * 1, 5);
         t.Display->KeyDown(VK_SHIFT);
         t.ClickAt(e, 1 + 6 * 4, 5);
         t.Display->KeyUp(VK_SHIFT);
         t.Pump();
       }, {1, 4}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.What);
    THeadlessDisplay::Advance(2000);
    HWND e = Make("Edit", ES_AUTOHSCROLL, 10, 10, 200, 20, "hello world");
    SetFocus(e);
    SendMessage(e, EM_SETSEL, 0, 0);
    Pump();
    c.Do(*this, e);
    EXPECT_EQ(Sel(e), c.Expected);
    DestroyWindow(e);
  }
}

TEST_F(EditTest, LineMessagesOfAWrappedMemo)
{
  // 59 pixels of text: nine characters of the fixed font to a line.
  HWND e = Make("Edit", ES_MULTILINE, 10, 10, 61, 80, "abc defgh ijklmnop\r\nxy");
  EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 3);
  struct TCase {
    UINT Msg;
    WPARAM W;
    LRESULT Expected;
  } cases[] = {
      {EM_LINEINDEX, 1, 10}, {EM_LINEINDEX, 2, 20},    {EM_LINEINDEX, 3, -1},    {EM_LINELENGTH, 12, 8},
      {EM_LINELENGTH, 21, 2}, {EM_LINEFROMCHAR, 19, 1}, {EM_LINEFROMCHAR, 20, 2}, {EM_LINEFROMCHAR, 9, 0},
  };
  for (auto& c : cases)
    EXPECT_EQ(SendMessage(e, c.Msg, c.W, 0), c.Expected) << std::hex << c.Msg << " " << c.W;
  char line[16] = {};
  *reinterpret_cast<WORD*>(line) = sizeof line;
  EXPECT_EQ(SendMessage(e, EM_GETLINE, 1, reinterpret_cast<LPARAM>(line)), 8);
  EXPECT_EQ(std::string(line, 8), "ijklmnop");
  LRESULT pos = SendMessage(e, EM_POSFROMCHAR, 12, 0);
  EXPECT_EQ(GET_X_LPARAM(pos), 1 + 2 * 6);
  EXPECT_EQ(GET_Y_LPARAM(pos), 13);
  LRESULT at = SendMessage(e, EM_CHARFROMPOS, 0, MAKELPARAM(1 + 2 * 6 + 1, 13 + 2));
  EXPECT_EQ(LOWORD(at), 12);
  EXPECT_EQ(HIWORD(at), 1);
  // A wider memo joins the first paragraph again.
  SetWindowPos(e, nullptr, 0, 0, 200, 80, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 2);
}

TEST_F(EditTest, LimitsFiltersUndoAndReadOnly)
{
  HWND e = Make("Edit", ES_AUTOHSCROLL, 10, 10, 200, 20);
  SetFocus(e);
  SendMessage(e, EM_LIMITTEXT, 5, 0);
  Notices.clear();
  Display->TypeText("abcdefg");
  Pump();
  EXPECT_EQ(Text(e), "abcde");
  EXPECT_EQ(Count(EN_MAXTEXT, e), 2);
  EXPECT_TRUE(SendMessage(e, EM_GETMODIFY, 0, 0));
  // The run just typed is one undo step.
  EXPECT_TRUE(SendMessage(e, EM_CANUNDO, 0, 0));
  SendMessage(e, EM_UNDO, 0, 0);
  EXPECT_EQ(Text(e), "");
  SendMessage(e, EM_SETREADONLY, TRUE, 0);
  EXPECT_TRUE(GetWindowLongPtr(e, GWL_STYLE) & ES_READONLY);
  Display->TypeText("zz");
  Key(VK_BACK);
  Pump();
  EXPECT_EQ(Text(e), "");

  HWND n = Make("Edit", ES_NUMBER | ES_AUTOHSCROLL, 10, 40, 200, 20, "", 2);
  SetFocus(n);
  int beeps = MessageBeepCount();
  Display->TypeText("1a2");
  Pump();
  EXPECT_EQ(Text(n), "12");
  EXPECT_EQ(MessageBeepCount(), beeps + 1);

  HWND u = Make("Edit", ES_UPPERCASE | ES_AUTOHSCROLL, 10, 70, 200, 20, "", 3);
  SetFocus(u);
  Display->TypeText("été");
  Pump();
  EXPECT_EQ(Text(u), "ÉTÉ");
}

TEST_F(EditTest, APasswordEditKeepsItsTextOffTheClipboard)
{
  HWND e = Make("Edit", ES_PASSWORD | ES_AUTOHSCROLL, 10, 10, 200, 20, "secret");
  EXPECT_EQ(SendMessage(e, EM_GETPASSWORDCHAR, 0, 0), '*');
  OpenClipboard(Parent);
  EmptyClipboard();
  CloseClipboard();
  SetFocus(e);
  Key('A', false, true);
  Key('C', false, true);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(Text(e), "secret");
}

TEST_F(EditTest, ScrollingFollowsTheCaretTheBarAndEmScroll)
{
  std::string text;
  for (int i = 0; i < 20; ++i)
    text += "line " + std::to_string(i) + (i < 19 ? "\r\n" : "");
  // 100 pixels: seven whole lines of 13.
  HWND e = Make("Edit", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 10, 10, 150, 100, text.c_str());
  SetFocus(e);
  Key(VK_END, false, true);
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 13);
  EXPECT_EQ(GetScrollPos(e, SB_VERT), 13);
  LRESULT r = SendMessage(e, EM_SCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(SHORT(LOWORD(r)), -6);
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 7);
  Notices.clear();
  TRect client;
  GetClientRect(e, &client);
  ClickAt(e, client.Right + 8, 5);  // the bar's up arrow
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 6);
  EXPECT_EQ(Count(EN_VSCROLL, e), 1);
  SendMessage(e, EM_LINESCROLL, 0, -100);
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

}  // namespace
