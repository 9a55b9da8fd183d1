// The x11 display's tests: the back end chosen once for the program, a
// connection of the test's own to the same server (XTest input, server
// images, properties, playing other programs), and loops that run the
// window system's messages until something happens.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/display/x11/X11Display.h"
#include "platform/win/controls/controls.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/shell/ShellNotify.h"
#include "platform/win/window/window.h"

// No X header here: the base layer's Time() and X's Time cannot meet in one
// file, so a test that needs the class library sees only these helpers.
struct _XDisplay;
using XWin = unsigned long;

// A connection to the display DISPLAY names (null when none answers). A
// server whose last client left resets and refuses connections for a moment
// (the previous test program may just have ended), so it tries for a while.
_XDisplay* OpenTestDisplay();
void CloseTestDisplay(_XDisplay* Display);

class X11Fixture : public ::testing::Test {
public:
  // How long a test waits for something it expects before it fails: the
  // server, the reader thread and the test share a loaded two-core CI
  // machine, so the bound is generous; waits end as soon as it happens.
  static constexpr int WaitBound = 30000;

  // Polls done() without running messages (for a thread that plays the user
  // while this one runs a modal loop), until it holds or the time limit.
  static bool WaitUntil(const std::function<bool()>& done, int milliseconds = WaitBound);

protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // The test's own connection (null when no display answers).
  static _XDisplay* X;
  static TX11Display* Backend;

  // Waits until the server carried out what the test and the back end sent
  // (each on its own connection, so in no order between them) and the back
  // end's reader handled the events that came back.
  static void CatchUp();
  // Runs the window system's messages until done() or the time limit; once
  // done() holds, catches up.
  static bool PumpUntil(const std::function<bool()>& done, int milliseconds = WaitBound);
  static void Pump(int milliseconds = 50);

  static XWin XOf(HWND hwnd) { return XWin(Backend->NativeWindow(hwnd)); }
  static bool Viewable(XWin w);
  // The screen's root window.
  static XWin Root();
  // A window of another program as a window manager sees it (a managed
  // top-level window of the test's own connection), shown; destroyed by
  // TearDown.
  static XWin ShowForeignWindow(int x, int y, int width, int height, const char* title);
  static bool OverrideRedirect(XWin w);
  static std::vector<long> Longs(XWin w, const char* property);
  static std::string Utf8Property(XWin w, const char* property);
  static unsigned long AtomOf(const char* name);

  // What a window manager sends when the user closes a window.
  static void SendWindowManagerDelete(XWin w);

  // Input as a user gives it, through XTest.
  static void MoveTo(int x, int y);
  static void Click(int x, int y, int button = 1);
  static void Button(int button, bool down);
  static void Key(unsigned long keysym, bool down);
  static void TypeKeySym(unsigned long keysym);
  // Types text through keys mapped on a spare key code as needed.
  static void TypeText(const std::string& utf8);

  // 0x00RRGGBB pixels of a window: as the server shows it, and as the
  // layer's framebuffer holds it.
  static std::vector<uint32_t> ServerPixels(XWin w, int width, int height);
  static std::vector<uint32_t> LayerPixels(HWND hwnd, int width, int height);

  // The real compositing manager of the desktop, when installed: started for
  // one test (false when it cannot run or the back end never saw it), and
  // stopped at the latest by TearDown.
  static bool StartCompositor();
  static void StopCompositor();
  // A window manager (openbox, which scripts/setup installs), started for
  // one test the same way: false when it cannot run or never announced
  // itself on the root window.
  static bool StartWindowManager();
  static void StopWindowManager();

  // Runs a shell command, answering its output.
  static std::string Run(const std::string& command);

  // Windows a test made, destroyed after it.
  HWND Track(HWND hwnd)
  {
    FMade.push_back(hwnd);
    return hwnd;
  }

private:
  std::vector<HWND> FMade;
};
