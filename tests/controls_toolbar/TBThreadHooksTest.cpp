// The shared thread hooks: use counts of the platform hooks, client
// isolation, and changes to the client list while a notice is delivered.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "controls/toolbar/TBThreadHooks.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

struct TCall {
  char Client;
  THookProcKind Kind;
  HWND Wnd;
  WPARAM WParam;
};
std::vector<TCall> Calls;

void ClientA(THookProcKind Kind, HWND Wnd, WPARAM WParam, LPARAM) { Calls.push_back({'A', Kind, Wnd, WParam}); }
void ClientB(THookProcKind Kind, HWND Wnd, WPARAM WParam, LPARAM) { Calls.push_back({'B', Kind, Wnd, WParam}); }
void Thrower(THookProcKind Kind, HWND Wnd, WPARAM WParam, LPARAM)
{
  Calls.push_back({'T', Kind, Wnd, WParam});
  throw std::runtime_error("client failed");
}
// Leaves, and makes ClientB leave, from inside its own notice.
void Leaver(THookProcKind Kind, HWND Wnd, WPARAM WParam, LPARAM)
{
  Calls.push_back({'L', Kind, Wnd, WParam});
  UninstallHookClient(&Leaver);
  UninstallHookClient(&ClientB);
}

LRESULT PlainProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
  return DefWindowProc(Wnd, Msg, WParam, LParam);
}

class TBThreadHooksTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    THeadlessDisplay::Use();
    static bool registered = [] {
      WNDCLASS wc{};
      wc.lpfnWndProc = PlainProc;
      wc.lpszClassName = "THookTarget";
      return RegisterClass(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    Target = CreateWindowEx(0, "THookTarget", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    Calls.clear();
  }
  void TearDown() override
  {
    if (IsWindow(Target))
      DestroyWindow(Target);
    for (THookClientProc p : {&ClientA, &ClientB, &Thrower, &Leaver})
      for (int i = 0; i < 4; ++i)
        UninstallHookClient(p);
    EXPECT_FALSE(SharedHookInstalled(shCallWndProc));
    EXPECT_FALSE(SharedHookInstalled(shCbt));
    EXPECT_FALSE(SharedHookInstalled(shGetMessage));
  }
  std::vector<char> Clients() const
  {
    std::vector<char> out;
    for (const TCall& c : Calls)
      out.push_back(c.Client);
    return out;
  }
  HWND Target = nullptr;
};

constexpr THookProcKinds SentKinds = HookKindBit(hnActivateAppSent) | HookKindBit(hnPosChangedSent);

TEST_F(TBThreadHooksTest, TwoClientsShareOneHookUntilBothLeave)
{
  InstallHookClient(&ClientA, SentKinds, false);
  InstallHookClient(&ClientB, HookKindBit(hnActivateAppSent), false);
  EXPECT_TRUE(SharedHookInstalled(shCallWndProc));
  EXPECT_EQ(SharedHookUseCount(shCallWndProc), 2);
  EXPECT_FALSE(SharedHookInstalled(shCbt));
  SendMessage(Target, WM_ACTIVATEAPP, 1, 0);
  ASSERT_EQ(Clients(), (std::vector<char>{'A', 'B'}));
  EXPECT_EQ(Calls[0].Kind, hnActivateAppSent);
  EXPECT_EQ(Calls[0].Wnd, Target);
  EXPECT_EQ(Calls[0].WParam, 1u);
  UninstallHookClient(&ClientA);
  EXPECT_TRUE(SharedHookInstalled(shCallWndProc));
  Calls.clear();
  SendMessage(Target, WM_ACTIVATEAPP, 0, 0);
  EXPECT_EQ(Clients(), (std::vector<char>{'B'}));
  UninstallHookClient(&ClientB);
  EXPECT_FALSE(SharedHookInstalled(shCallWndProc));
}

TEST_F(TBThreadHooksTest, AClientRegisteredTwiceIsCalledUntilRemovedTwice)
{
  InstallHookClient(&ClientA, HookKindBit(hnWindowDestroying), false);
  InstallHookClient(&ClientA, HookKindBit(hnWindowDestroying), false);
  UninstallHookClient(&ClientA);
  EXPECT_TRUE(SharedHookInstalled(shCbt));
  DestroyWindow(Target);
  ASSERT_EQ(Clients(), (std::vector<char>{'A'}));
  EXPECT_EQ(Calls[0].Kind, hnWindowDestroying);
  EXPECT_EQ(Calls[0].Wnd, Target);
  UninstallHookClient(&ClientA);
  EXPECT_FALSE(SharedHookInstalled(shCbt));
}

TEST_F(TBThreadHooksTest, CountOnlyRegistrationsInstallNothingAndRemoveNothing)
{
  InstallHookClient(&ClientA, HookKindBit(hnMessageRetrieved), true);
  EXPECT_FALSE(SharedHookInstalled(shGetMessage));
  // A running client shares the hook; the designed one leaving must not
  // take the hook from it.
  InstallHookClient(&ClientB, HookKindBit(hnMessageRetrieved), false);
  UninstallHookClient(&ClientA);
  EXPECT_TRUE(SharedHookInstalled(shGetMessage));
  EXPECT_EQ(SharedHookUseCount(shGetMessage), 1);
  PostMessage(Target, WM_USER, 7, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, Target, WM_USER, WM_USER, PM_REMOVE));
  ASSERT_EQ(Clients(), (std::vector<char>{'B'}));
  EXPECT_EQ(Calls[0].Kind, hnMessageRetrieved);
  EXPECT_EQ(Calls[0].WParam, WPARAM(PM_REMOVE));
}

TEST_F(TBThreadHooksTest, KindsOfTheFirstRegistrationAreTheOnlyOnesCounted)
{
  InstallHookClient(&ClientA, HookKindBit(hnActivateAppSent), false);
  InstallHookClient(&ClientA, HookKindBit(hnWindowDestroying), false);
  EXPECT_FALSE(SharedHookInstalled(shCbt)) << "a later set of kinds installed a hook the client never hears";
  EXPECT_EQ(SharedHookUseCount(shCallWndProc), 2);
  UninstallHookClient(&ClientA);
  UninstallHookClient(&ClientA);
  EXPECT_EQ(SharedHookUseCount(shCallWndProc), 0);
  EXPECT_FALSE(SharedHookInstalled(shCallWndProc));
}

TEST_F(TBThreadHooksTest, AFailingClientDoesNotKeepTheNoticeFromTheOthers)
{
  InstallHookClient(&Thrower, SentKinds, false);
  InstallHookClient(&ClientA, SentKinds, false);
  SetWindowPos(Target, nullptr, 5, 5, 20, 20, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_FALSE(Calls.empty());
  EXPECT_EQ(Clients(), (std::vector<char>{'T', 'A'}));
  EXPECT_EQ(Calls[1].Kind, hnPosChangedSent);
}

TEST_F(TBThreadHooksTest, ClientsLeavingDuringANoticeAreNotCalledAgain)
{
  InstallHookClient(&ClientA, HookKindBit(hnActivateAppSent), false);
  InstallHookClient(&Leaver, HookKindBit(hnActivateAppSent), false);
  InstallHookClient(&ClientB, HookKindBit(hnActivateAppSent), false);
  SendMessage(Target, WM_ACTIVATEAPP, 1, 0);
  EXPECT_EQ(Clients(), (std::vector<char>{'A', 'L'}));
  Calls.clear();
  SendMessage(Target, WM_ACTIVATEAPP, 1, 0);
  EXPECT_EQ(Clients(), (std::vector<char>{'A'}));
  UninstallHookClient(&ClientA);
  EXPECT_FALSE(SharedHookInstalled(shCallWndProc));
}

}  // namespace
