// Alignment of a windowed control's children: the aligned ones fill the
// client area from its edges in a fixed order, the anchored ones keep their
// distances to the anchored edges.
#include <algorithm>

#include "platform/base/MulDiv.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/win/win.h"

namespace {

const TAnchors AnchorAlign[] = {{akLeft, akTop},
                                {akLeft, akTop, akRight},
                                {akLeft, akRight, akBottom},
                                {akLeft, akTop, akBottom},
                                {akRight, akTop, akBottom},
                                {akLeft, akTop, akRight, akBottom},
                                {akLeft, akTop}};

}  // namespace

void TWinControl::EnableAlign()
{
  --FAlignLevel;
  if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded))
    Realign();
}

void TWinControl::AlignControl(TControl* AControl)
{
  if (!FHandle || ComponentState().Contains(csDestroying))
    return;
  if (FAlignLevel != 0) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  ScopeExit aligning([&] {
    FControlState.Exclude(csAlignmentNeeded);
    EnableAlign();
  });
  TRect rect = ClientRect();
  AlignControls(AControl, rect);
}

void TWinControl::AdjustClientRect(TRect&)
{
  // The border and the bevel are outside the client area (WM_NCCALCSIZE).
}

bool TWinControl::CustomAlignInsertBefore(TControl* C1, TControl* C2)
{
  return OnAlignInsertBefore ? OnAlignInsertBefore(this, C1, C2) : false;
}

void TWinControl::CustomAlignPosition(TControl* Control, int& NewLeft, int& NewTop, int& NewWidth, int& NewHeight,
                                      TRect& AlignRect, const TAlignInfo& AlignInfo)
{
  if (OnAlignPosition)
    OnAlignPosition(this, Control, NewLeft, NewTop, NewWidth, NewHeight, AlignRect, AlignInfo);
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
  bool work = false;
  for (int i = 0; i < ControlCount() && !work; ++i) {
    TControl* c = Controls(i);
    work = c->Align() != alNone || c->Anchors() != TAnchors{akLeft, akTop};
  }
  if (work) {
    AdjustClientRect(Rect);
    std::vector<TControl*> list;

    auto insertBefore = [this](TControl* c1, TControl* c2, TAlign align) {
      switch (align) {
      case alTop: return c1->Top() < c2->Top();
      case alBottom: return c1->Top() + c1->Height() >= c2->Top() + c2->Height();
      case alLeft: return c1->Left() < c2->Left();
      case alRight: return c1->Left() + c1->Width() >= c2->Left() + c2->Width();
      case alCustom: return CustomAlignInsertBefore(c1, c2);
      default: return false;
      }
    };

    auto doPosition = [&](TControl* control, TAlign align, const TAlignInfo& info) {
      // 1. Anchors: a control that does not simply follow its alignment keeps
      //    its distances to the anchored edges of the parent.
      if (align == alNone || control->Anchors() != AnchorAlign[int(align)]) {
        TPoint original = control->OriginalParentSize();
        if (original.x != 0 && original.y != 0) {
          int newLeft = control->Left(), newTop = control->Top();
          int newWidth = control->Width(), newHeight = control->Height();
          TPoint parentSize;
          if (FHandle) {
            TRect client = ClientRect();
            parentSize = TPoint(client.Right, client.Bottom);
          } else {
            parentSize = TPoint(FWidth, FHeight);
          }
          TPoint rules = control->AnchorRules();
          TAnchors anchors = control->Anchors();
          if (anchors.Contains(akRight)) {
            if (anchors.Contains(akLeft))
              newWidth = parentSize.x - (original.x - rules.x);
            else
              newLeft = parentSize.x - (original.x - rules.x);
          } else if (!anchors.Contains(akLeft)) {
            newLeft = MulDiv(rules.x, parentSize.x, original.x) - newWidth / 2;
          }
          if (anchors.Contains(akBottom)) {
            if (anchors.Contains(akTop))
              newHeight = parentSize.y - (original.y - rules.y);
            else
              newTop = parentSize.y - (original.y - rules.y);
          } else if (!anchors.Contains(akTop)) {
            newTop = MulDiv(rules.y, parentSize.y, original.y) - newHeight / 2;
          }
          control->FAnchorMove = true;
          ScopeExit anchorMove([&] { control->FAnchorMove = false; });
          control->SetBounds(newLeft, newTop, newWidth, newHeight);
        }
        if (align == alNone)
          return;
      }
      // 2. Alignment: the control takes its edge of what is left of the
      //    client area, which shrinks by its size.
      int newWidth = Rect.Right - Rect.Left;
      if (newWidth < 0 || align == alLeft || align == alRight || align == alCustom)
        newWidth = control->Width();
      int newHeight = Rect.Bottom - Rect.Top;
      if (newHeight < 0 || align == alTop || align == alBottom || align == alCustom)
        newHeight = control->Height();
      int newLeft = Rect.Left, newTop = Rect.Top;
      switch (align) {
      case alTop: Rect.Top += newHeight; break;
      case alBottom:
        Rect.Bottom -= newHeight;
        newTop = Rect.Bottom;
        break;
      case alLeft: Rect.Left += newWidth; break;
      case alRight:
        Rect.Right -= newWidth;
        newLeft = Rect.Right;
        break;
      case alCustom:
        newLeft = control->Left();
        newTop = control->Top();
        CustomAlignPosition(control, newLeft, newTop, newWidth, newHeight, Rect, info);
        break;
      default: break;
      }
      control->FAnchorMove = true;
      {
        ScopeExit anchorMove([&] { control->FAnchorMove = false; });
        control->SetBounds(newLeft, newTop, newWidth, newHeight);
      }
      // 3. A control that did not take the size asked for (constraints)
      //    gives back or takes the difference.
      if (control->Width() != newWidth || control->Height() != newHeight) {
        switch (align) {
        case alTop: Rect.Top -= newHeight - control->Height(); break;
        case alBottom: Rect.Bottom += newHeight - control->Height(); break;
        case alLeft: Rect.Left -= newWidth - control->Width(); break;
        case alRight: Rect.Right += newWidth - control->Width(); break;
        case alClient:
          Rect.Right += control->Width() - newWidth;
          Rect.Bottom += control->Height() - newHeight;
          break;
        default: break;
        }
      }
    };

    auto doAlign = [&](TAlign align) {
      list.clear();
      if (AControl && AControl->Align() == align && (align == alNone || AControl->Visible()))
        list.push_back(AControl);
      for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (control == AControl || control->Align() != align || (align != alNone && !control->Visible()))
          continue;
        std::size_t j = 0;
        while (j < list.size() && !insertBefore(control, list[j], align))
          ++j;
        list.insert(list.begin() + std::ptrdiff_t(j), control);
      }
      for (std::size_t i = 0; i < list.size(); ++i) {
        TAlignInfo info;
        info.AlignList = &list;
        info.ControlIndex = int(i);
        info.Align = align;
        doPosition(list[i], align, info);
      }
    };

    doAlign(alTop);
    doAlign(alBottom);
    doAlign(alLeft);
    doAlign(alRight);
    doAlign(alClient);
    doAlign(alCustom);
    doAlign(alNone);
  }
  ControlsAligned();
}
