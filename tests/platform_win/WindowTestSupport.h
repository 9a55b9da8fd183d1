// Shared pieces of the window-system tests: a window class whose procedure
// records every message and lets a test take over any of them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/Regions.h"
#include "platform/win/gdi/Cursors.h"
#include "platform/win/window/window.h"

struct TRecorded {
  HWND Hwnd;
  UINT Msg;
  WPARAM W;
  LPARAM L;
};

// One per test: registers the recording class, keeps the log, and destroys
// the windows it made.
class TWindowFixture : public ::testing::Test {
public:
  using THandler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;

  void SetUp() override;
  void TearDown() override;

  // A window of the recording class (class styles CS_DBLCLKS unless told otherwise).
  HWND Make(DWORD style, int x, int y, int w, int h, HWND parent = nullptr, DWORD exStyle = 0,
            const char* title = "");
  // The messages recorded so far, of the kinds given (all when empty), and clears the log.
  std::vector<TRecorded> Take(const std::vector<UINT>& kinds = {});
  // Names the messages, for readable failures ("WM_MOUSEMOVE").
  static std::string Names(const std::vector<TRecorded>& log);
  // Handles one kind of message instead of the default.
  void On(UINT msg, THandler handler) { Handlers[msg] = std::move(handler); }
  void Pump() { THeadlessDisplay::PumpMessages(); }
  // Fills a rectangle of a DC with one colour.
  static void Fill(HDC dc, const TRect& r, COLORREF colour);
  // A shown popup, not activated, whose client area paint draws (given the
  // client rectangle) whenever it is painted.
  HWND Painted(int x, int y, int w, int h, DWORD exStyle, std::function<void(HDC, const TRect&)> paint);
  // Paints every window through its entry in Painters (given the client
  // rectangle); windows without one paint nothing.
  void PaintThroughPainters();

  THeadlessDisplay* Display = nullptr;
  static TWindowFixture* Current;
  std::vector<TRecorded> Log;
  std::map<UINT, THandler> Handlers;
  std::map<HWND, std::function<void(HDC, const TRect&)>> Painters;
  std::vector<HWND> Made;
  static LRESULT Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
};

std::string MessageName(UINT msg);
