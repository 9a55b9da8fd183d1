// Shared pieces of the standard-control tests: a parent window that records
// the notifications and owner-draw requests its controls send, on the
// headless display with the built-in font and the virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

struct TNotice {
  HWND Control;
  WORD Code;
};

class TControlFixture : public ::testing::Test {
public:
  using THandler = std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)>;

  void SetUp() override;
  void TearDown() override;

  // A child control of the parent (made visible at x, y).
  HWND Make(const char* cls, DWORD style, int x, int y, int w, int h, const char* text = "", int id = 1,
            DWORD exStyle = 0);
  // The WM_COMMAND codes the parent heard from control (all when null), and clears them.
  std::vector<WORD> Codes(HWND control = nullptr);
  int Count(WORD code, HWND control = nullptr);
  void On(UINT msg, THandler handler) { Handlers[msg] = std::move(handler); }
  void Pump() { THeadlessDisplay::PumpMessages(); }
  // A click at a client point of a window.
  void ClickAt(HWND hwnd, int x, int y, int button = 0);
  void MoveTo(HWND hwnd, int x, int y);
  void Key(BYTE vk, bool shift = false, bool ctrl = false);
  std::string Text(HWND hwnd);

  THeadlessDisplay* Display = nullptr;
  HWND Parent = nullptr;
  std::vector<TNotice> Notices;
  std::vector<UINT> Seen;  // other messages the parent got, in order
  std::map<UINT, THandler> Handlers;
  static TControlFixture* Current;
  static LRESULT ParentProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
};
