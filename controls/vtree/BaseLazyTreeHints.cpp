// The tree's side of hints: whether and where a hint or tooltip shows, the
// pause before it, the kind of animation, and the animation loop shared by
// hints and animated toggling.
#include <algorithm>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/LazyTreeHintWindow.h"
#include "platform/base/Utf.h"
#include "platform/classes/Hints.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/win.h"

std::string TBaseLazyTree::HintTextOf(PLazyNode Node, TColumnIndex, bool Tooltip)
{
  return Tooltip ? QueryNodeText(Node) : std::string();
}

void TBaseLazyTree::ApplyTooltipFont(TCanvas* Canvas, PLazyNode, TColumnIndex)
{
  Canvas->SetFont(Font());
}

bool TBaseLazyTree::OverHeaderWithHints(TPoint P) const
{
  return UseColumns() && FHeader->Options().Contains(hoShowHint) && FHeader->InHeader(P);
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
      FStates.Contains(tsOLEDragging) || FStates.Contains(tsLibDragging) || !FHeader->States().Empty() || !showIt)
    return false;
  Info.HintStr.assign(1, ' ');
  bool ownWindow = false;
  if (OverHeaderWithHints(p)) {
    // A column's hint: valid over the whole header, shown below it.
    Info.CursorRect = TRect(0, -FHeader->Height(), ClientWidth(), 0);
    Info.HintPos.y = std::max(Info.HintPos.y, ClientToScreen(TPoint(0, 0)).y);
    TColumnIndex column = FHeader->ColumnAtHeaderPoint(TPoint(p.x, p.y + FHeader->Height()));
    if (!FHeader->Columns().IsValidColumn(column) || GetKeyState(VK_LBUTTON) < 0)
      return false;
    TLazyTreeColumn* item = FHeader->Columns().Item(column);
    FHintData.DefaultHint = UTF8Encode(item->Hint());
    if (FHintData.DefaultHint.empty())
      return false;
    hit.HitNode = nullptr;
    hit.HitColumn = column;
    ownWindow = true;
  } else if (FHintMode == hmDefault) {
    Info.HintStr = GetShortHint(Hint());
  } else if (hit.HitNode && hit.HitColumn >= NoColumn) {
    if (OwnerDrawsHints()) {
      FHintData.HintRect = DoGetHintSize(hit.HitNode, hit.HitColumn);
      if (IsRectEmpty(&FHintData.HintRect))
        return false;
    }
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
    const TLazyTreeColumn* column =
        FHeader->Columns().IsValidColumn(hit.HitColumn) ? FHeader->Columns().Item(hit.HitColumn) : nullptr;
    FHintData.BidiMode = column ? column->BiDiMode() : FBiDiMode;
    FHintData.Alignment = column ? column->Alignment() : FAlignment;
    FHintValidRect = Info.CursorRect;
    Info.HintData = &FHintData;
  }
  return true;
}

void TBaseLazyTree::HandleHintMessage(TMessage& Message)
{
  if (Message.Msg == CM_HINTSHOWPAUSE) {
    auto& pause = reinterpret_cast<TCMHintShowPause&>(Message);
    TPoint cursor;
    GetCursorPos(&cursor);
    // A tooltip shows at once, and so does the next column hint while the mouse stays on the header.
    bool headerAgain = HintWindowGone() && OverHeaderWithHints(ScreenToClient(cursor));
    if ((FHintMode == hmTooltip || headerAgain) && pause.Pause)
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
