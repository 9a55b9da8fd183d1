// The tree's side of hints: whether and where a hint or tooltip shows, the
// pause before it, the kind of animation, and the animation loop shared by
// hints and animated toggling.
#include <algorithm>

#include "controls/vtree/BaseLazyTree.h"
#include "platform/classes/Hints.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/win/win.h"

std::string TBaseLazyTree::HintTextOf(PLazyNode Node, TColumnIndex, bool Tooltip)
{
  return Tooltip ? QueryNodeText(Node) : std::string();
}

THintAnimationType TBaseLazyTree::AnimationKind()
{
  if (FHintAnimation != hatSystemDefault)
    return FHintAnimation;
  BOOL animation = FALSE, fade = FALSE;
  SystemParametersInfo(SPI_GETTOOLTIPANIMATION, 0, &animation, 0);
  if (!animation)
    return hatNone;
  SystemParametersInfo(SPI_GETTOOLTIPFADE, 0, &fade, 0);
  // Blending needs no special processor support here, so a fade stays a fade.
  return fade ? hatFade : hatSlide;
}

bool TBaseLazyTree::HandleHintShow(THintInfo& Info)
{
  TPoint p = Info.CursorPos;
  if (PtInRect(&FHintValidRect, p))
    return false;
  FHintValidRect = TRect();
  TLTHitInfo hit;
  HitTestAt(p.x, p.y, true, hit);
  bool showIt;
  if (FStates.Contains(tsEditing)) {
    showIt = hit.HitNode != FFocusedNode;
  } else {
    showIt = TreeFocused();
    TCustomForm* form = GetParentForm(this);
    if (showIt && form)
      showIt = form->Focused() || Application()->Active();
  }
  if (MouseCapture() || !ShowHint() || FStates.Contains(tsDrawSelecting) || FStates.Contains(tsScrolling) ||
      FStates.Contains(tsOLEDragging) || FStates.Contains(tsLibDragging) || !showIt)
    return false;
  Info.HintStr.assign(1, ' ');
  bool ownWindow = false;
  if (FHintMode == hmDefault) {
    Info.HintStr = GetShortHint(Hint());
  } else if (hit.HitNode && hit.HitColumn >= NoColumn) {
    TRect client = ClientRect();
    int cellLeft = 0, cellRight = client.Right;
    FHintData.DefaultHint.clear();
    TRect nodeRect = NodeDisplayRect(hit.HitNode, hit.HitColumn, false);
    if (FHintMode == hmTooltip) {
      TRect shown;
      if (hit.HitNode->Has(nfMultiline)) {
        shown = nodeRect;
      } else {
        TRect text = NodeDisplayRect(hit.HitNode, hit.HitColumn, true, true);
        bool cut = text.Right > std::min(cellRight, client.Right) || text.Left < std::max(cellLeft, 0);
        if (!PtInRect(&text, p) || p.x < cellLeft || p.x >= cellRight || !cut)
          return false;
        shown = text;
      }
      Info.HintPos = ClientToScreen(TPoint(shown.Left, shown.Top));
      Info.CursorRect = shown;
    } else {
      nodeRect.Left = cellLeft;
      nodeRect.Right = cellRight;
      Info.CursorRect = nodeRect;
      Info.HintPos.y = std::max(Info.HintPos.y, ClientToScreen(TPoint(0, nodeRect.Bottom)).y + 2);
    }
    ownWindow = true;
  } else if (FHintMode == hmHintAndDefault) {
    FHintData.DefaultHint = GetShortHint(Hint());
    if (FHintData.DefaultHint.empty())
      return false;
    ownWindow = true;
  } else {
    return false;
  }
  if (ownWindow) {
    Info.HintWindowClass = &TLazyTreeHintWindow::Make;
    FHintData.Tree = this;
    FHintData.Node = hit.HitNode;
    FHintData.Column = hit.HitColumn;
    FHintData.BidiMode = FBiDiMode;
    FHintData.Alignment = FAlignment;
    FHintValidRect = Info.CursorRect;
    Info.HintData = &FHintData;
  }
  return true;
}

void TBaseLazyTree::HandleHintMessage(TMessage& Message)
{
  if (Message.Msg == CM_HINTSHOWPAUSE) {
    auto& pause = reinterpret_cast<TCMHintShowPause&>(Message);
    if (FHintMode == hmTooltip && pause.Pause)
      *pause.Pause = 0;
    return;
  }
  auto& show = reinterpret_cast<TCMHintShow&>(Message);
  bool shown = show.HintInfo && HandleHintShow(*show.HintInfo);
  Message.Result = shown ? 0 : 1;
  if (shown)
    ChangeStates({tsHint}, {});
  else
    ChangeStates({}, {tsHint});
}
