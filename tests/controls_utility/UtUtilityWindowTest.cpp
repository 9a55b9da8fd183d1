#include <gtest/gtest.h>

#include "controls/utility/UtUtilityWindow.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/Object.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/window/window.h"

namespace {

class TReceiver : public TObject {
public:
  void Handle(TMessage& Message)
  {
    Seen.push_back(Message.Msg);
    if (Message.Msg == WM_USER + 1)
      Message.Result = LRESULT(Message.WParam + Message.LParam);
  }
  std::vector<UINT> Seen;
};

LRESULT OtherProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
  return DefWindowProc(hwnd, msg, w, l);
}

class UtUtilityWindowTest : public ::testing::Test {
protected:
  void SetUp() override { THeadlessDisplay::Use(); }
};

}  // namespace

TEST_F(UtUtilityWindowTest, MessagesGoToTheMethodUntilTheWindowIsDestroyed)
{
  TReceiver receiver;
  HWND window = AllocateUtilityWindow(TUtWndMethod(&receiver, &TReceiver::Handle));
  ASSERT_NE(window, nullptr);
  char name[64] = {};
  GetClassName(window, name, sizeof name);
  EXPECT_STREQ(name, "TUtilityWindow");
  EXPECT_NE(GetWindowLongPtr(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_NE(GetWindowLongPtr(window, GWL_STYLE) & LONG_PTR(WS_POPUP), 0);
  EXPECT_FALSE(IsWindowVisible(window));
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.Right - r.Left, 0);

  EXPECT_EQ(SendMessage(window, WM_USER + 1, 40, 2), 42);
  EXPECT_EQ(receiver.Seen.back(), UINT(WM_USER + 1));
  DeallocateUtilityWindow(window);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(receiver.Seen.back(), UINT(WM_NCDESTROY));
}

TEST_F(UtUtilityWindowTest, WithoutAMethodTheDefaultProcedureAnswers)
{
  HWND window = AllocateUtilityWindow({}, "TUtTestPlainWindow");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(SendMessage(window, WM_USER + 1, 40, 2), 0);
  SetWindowText(window, "abc");
  EXPECT_EQ(GetWindowTextLength(window), 3);
  DeallocateUtilityWindow(window);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(UtUtilityWindowTest, AClassOfTheSameNameWithAnotherProcedureIsRegisteredAgain)
{
  // Registered for the module that makes utility windows.
  HINSTANCE library = ModuleFromAddress(reinterpret_cast<const void*>(&AllocateUtilityWindow));
  WNDCLASS wc{};
  wc.lpfnWndProc = &OtherProc;
  wc.hInstance = library;
  wc.lpszClassName = "TUtTestTakenName";
  ASSERT_NE(RegisterClass(&wc), 0);
  TReceiver receiver;
  HWND window = AllocateUtilityWindow(TUtWndMethod(&receiver, &TReceiver::Handle), "TUtTestTakenName");
  ASSERT_NE(window, nullptr);
  WNDCLASS now{};
  ASSERT_TRUE(GetClassInfo(library, "TUtTestTakenName", &now));
  EXPECT_EQ(now.lpfnWndProc, &DefWindowProc);
  EXPECT_EQ(SendMessage(window, WM_USER + 1, 1, 2), 3);
  DeallocateUtilityWindow(window);
}

TEST_F(UtUtilityWindowTest, ScreenSuffixNamesTheScreenSize)
{
  EXPECT_EQ(ScreenSuffix(), "(" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                                std::to_string(GetSystemMetrics(SM_CYSCREEN)) + ")");
  EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
}
