// Shared pieces of the controls and forms tests: the headless display on the
// virtual clock with the built-in font, the application initialised, and
// helpers to run its messages and answer modal loops.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

class ClassesFixture : public ::testing::Test {
protected:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    // Far from any earlier click, so no double click carries over between tests.
    THeadlessDisplay::Advance(10000);
    SetBuiltinFontOnly(true);
    Application()->Initialize();
    Display->SetIdleScript(nullptr);
  }

  void TearDown() override
  {
    Display->SetIdleScript(nullptr);
    Application()->OnException = nullptr;
    // Hints back to their first state: on, no window yet.
    Application()->SetShowHint(false);
    Application()->SetShowHint(true);
    Pump();
    // Other suites of this program expect no menu window (they install their own).
    TPopupMenu::SetPresenter(nullptr);
    SetBuiltinFontOnly(false);
  }

  // Handles every waiting message the way the application's loop does.
  void Pump() { Application()->ProcessMessages(); }
  // Moves the virtual clock on and handles what became due.
  void Advance(unsigned ms)
  {
    THeadlessDisplay::Advance(ms);
    Pump();
  }
  // Runs Step once each time a modal loop would wait; Step answers whether
  // it did something.
  void WhenIdle(std::function<bool()> Step) { Display->SetIdleScript(std::move(Step)); }
  // A control's centre in screen coordinates.
  static TPoint CentreOf(TControl* Control)
  {
    return Control->ClientToScreen(TPoint(Control->Width() / 2, Control->Height() / 2));
  }
  void ClickAt(TPoint p, int button = 0)
  {
    Display->Click(p.x, p.y, button);
    Pump();
  }
  void Key(BYTE vk, DWORD ch = 0)
  {
    Display->PressKey(vk, ch);
    Pump();
  }
  void KeyWith(BYTE modifier, BYTE vk)
  {
    Display->KeyDown(modifier);
    Display->PressKey(vk);
    Display->KeyUp(modifier);
    Pump();
  }

  THeadlessDisplay* Display = nullptr;
};

// "left,top,width,height" of a control.
inline std::string BoundsOf(TControl* c)
{
  return std::to_string(c->Left()) + "," + std::to_string(c->Top()) + "," + std::to_string(c->Width()) + "," +
         std::to_string(c->Height());
}
