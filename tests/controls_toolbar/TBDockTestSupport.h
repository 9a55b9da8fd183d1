// A form with docks and fake dockable windows of chosen natural sizes,
// minimum row lengths and shrink modes, for the dock and drag tests.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "controls/toolbar/TBDock.h"
#include "controls/toolbar/TBDockableWindow.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/display/headless/HeadlessDisplay.h"

class TFakeBar : public TTBCustomDockableWindow {
public:
  using TTBCustomDockableWindow::TTBCustomDockableWindow;
  TPoint Natural{76, 20};
  int MinLength = 0;
  TTBShrinkMode Mode = tbsmNone;

  void SizeForPlacement(bool, TTBDockType DockType, TPoint& Size, TTBDock*, bool) override
  {
    Size = DockType == dtLeftRight ? TPoint(Natural.y, Natural.x) : Natural;
    // A shortened bar keeps its thickness and takes the imposed length.
    if (CurrentLength() > 0 && DockType == dtTopBottom) {
      TPoint frame(0, 0);
      DockedFrameSize(frame);
      Size.x = CurrentLength() - frame.x;
    }
  }
  void NaturalContentSize(TPoint& Size) override
  {
    Size = Docked() && CurrentDock()->IsVertical() ? TPoint(Natural.y, Natural.x) : Natural;
  }
  void MinimumRowLength(int& Length) override { Length = MinLength; }
  TTBShrinkMode ShrinkBehaviour() override { return Mode; }

  // Floating limits of the content (0: none), and a width step: a resized
  // frame's content width snaps down to a multiple of it, as a toolbar's
  // wrapped rows would.
  TPoint MinFloating{0, 0}, MaxFloating{0, 0};
  int WidthStep = 0;
  void FloatingSizeBounds(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight) override
  {
    MinWidth = MinFloating.x;
    MinHeight = MinFloating.y;
    MaxWidth = MaxFloating.x;
    MaxHeight = MaxFloating.y;
  }
  void ResizeTracking(TRect& NewRect, const TRect& StartRect) override
  {
    if (WidthStep <= 0)
      return;
    const int frame = StartRect.Width() - Width();
    const int content = std::max(WidthStep, (NewRect.Width() - frame) / WidthStep * WidthStep);
    if (NewRect.Left != StartRect.Left)
      NewRect.Left = NewRect.Right - content - frame;
    else
      NewRect.Right = NewRect.Left + content + frame;
  }
};

class TDockFixture {
public:
  TDockFixture()
  {
    THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(nullptr);
    Form->SetBounds(100, 100, 400, 300);
    Form->SetClientWidth(200);
    Form->HandleNeeded();
  }
  ~TDockFixture() { Form->Free(); }

  TTBDock* AddDock(TTBDockPosition Position, bool AllowDrag = false)
  {
    auto* dock = new TTBDock(Form);
    dock->SetPosition(Position);
    dock->SetAllowDrag(AllowDrag);
    dock->SetParent(Form);
    return dock;
  }
  TFakeBar* AddBar(TTBDock* Dock, int Row, int Pos, int NaturalLength = 76)
  {
    auto* bar = new TFakeBar(Form);
    bar->Natural.x = NaturalLength;
    bar->SetDockRow(Row);
    bar->SetDockPos(Pos);
    bar->SetCurrentDock(Dock);
    return bar;
  }

  TCustomForm* Form = nullptr;
};

// The events of a change of dock, as the window's user sees them.
struct TDockEventLog {
  std::vector<std::string> Events;
  void Changing(TObject*, bool Floating, TTBDock*) { Events.push_back(Floating ? "changing:float" : "changing:dock"); }
  void Hidden(TObject*, bool Floating, TTBDock*) { Events.push_back(Floating ? "hidden:float" : "hidden:dock"); }
  void Recreating(TObject*) { Events.push_back("recreating"); }
  void Moved(TObject*) { Events.push_back("move"); }
  void Recreated(TObject*) { Events.push_back("recreated"); }
  void Changed(TObject*) { Events.push_back("changed"); }
  void Listen(TTBCustomDockableWindow* W)
  {
    W->OnDockChanging = TTBDockChangingEvent(this, &TDockEventLog::Changing);
    W->OnDockChangingHidden = TTBDockChangingEvent(this, &TDockEventLog::Hidden);
    W->OnRecreating = TNotifyEvent(this, &TDockEventLog::Recreating);
    W->OnMove = TNotifyEvent(this, &TDockEventLog::Moved);
    W->OnRecreated = TNotifyEvent(this, &TDockEventLog::Recreated);
    W->OnDockChanged = TNotifyEvent(this, &TDockEventLog::Changed);
  }
  // What happened from the change of parent on (the frame's moves before it
  // belong to the drag).
  std::vector<std::string> FromTheChange() const
  {
    auto first = std::find_if(Events.begin(), Events.end(), [](const std::string& e) { return e.rfind("changing", 0) == 0; });
    return std::vector<std::string>(first, Events.end());
  }
};
