// The window messages of the tree beyond painting and sizing: input routing,
// focus, cancel mode, the dialog code, the context menu, clipboard commands,
// printing, timers of input, and the tree-view queries of screen tools.
#include <algorithm>
#include <cstring>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/TreeViewQuery.h"
#include "platform/base/AnsiStrings.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/win.h"

namespace {

constexpr LRESULT kDialogCode = 0x81, kDialogCodeWithTabs = 0x83;

}  // namespace

std::string TBaseLazyTree::QueryNodeText(PLazyNode)
{
  return {};
}

void TBaseLazyTree::StopInputTimers()
{
  for (UINT_PTR id : {kExpandTimer, kEditTimer, kHeaderTimer, kScrollTimer})
    StopTimer(id);
  StopIncrementalSearch();
}

bool TBaseLazyTree::DispatchInputMessage(TMessage& Message)
{
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      HandleButtonMessage(Message);
      return true;
    case WM_MOUSEMOVE:
      HandleMouseMove(Message);
      return true;
    case CM_MOUSELEAVE:
      if (Message.LParam == 0)
        HandleMouseLeave();
      return false;
    case WM_MOUSEWHEEL:
      HandleMouseWheel(Message);
      return true;
    case WM_KEYDOWN:
      return HandleKeyDown(Message);
    case WM_KEYUP:
      HandleKeyUp(Message);
      return true;
    case WM_CHAR:
      HandleChar(Message);
      return true;
    case WM_GETDLGCODE:
      Message.Result = FWantTabs ? kDialogCodeWithTabs : kDialogCode;
      return true;
    case WM_HSCROLL:
    case WM_VSCROLL:
      HandleScrollMessage(Message, Message.Msg == WM_HSCROLL);
      return true;
    case WM_TIMER:
      switch (Message.WParam) {
        case kScrollTimer: AutoScrollTimerElapsed(); return true;
        case kSearchTimer: StopIncrementalSearch(); return true;
        case kEditTimer: DoEdit(); return true;
        case kExpandTimer: AutoExpandTimerElapsed(); return true;
        case kHeaderTimer: StopTimer(UINT_PTR(Message.WParam)); return true;
      }
      return false;
    case CM_DRAG:
      LibDragMessage(Message);
      return true;
    case WM_CANCELMODE:
      StopInputTimers();
      ChangeStates({}, {tsClearPending, tsDrawSelPending, tsDrawSelecting, tsEditPending, tsIncrementalSearching,
                        tsOLEDragPending, tsLibDragPending});
      return false;
    case WM_SETFOCUS: {
      TCustomControl::WndProc(Message);
      if (!(FSelectionCount == 0 && HasPaintOption(toGhostedIfUnfocused)))
        Invalidate();
      return true;
    }
    case WM_KILLFOCUS: {
      TAliveToken alive = AliveToken();
      TCustomControl::WndProc(Message);
      if (!*alive)
        return true;
      StopWheelPanning();
      StopInputTimers();
      ChangeStates({}, {tsEditPending, tsIncrementalSearching, tsLeftButtonDown, tsMiddleButtonDown,
                        tsOLEDragPending, tsRightButtonDown, tsScrolling, tsScrollPending, tsLibDragPending});
      if (FSelectionCount == 0 && HasPaintOption(toGhostedIfUnfocused)) {
        if (FFocusedNode)
          RepaintNode(FFocusedNode);
      } else if (HasWindow()) {
        Invalidate();
      }
      return true;
    }
    case WM_CONTEXTMENU:
      ChangeStates({}, {tsClearPending, tsEditPending, tsOLEDragPending, tsLibDragPending});
      if (!FStates.Contains(tsPopupMenuShown))
        TCustomControl::WndProc(Message);
      return true;
    case WM_CUT:
      CutSelection();
      return true;
    case WM_COPY:
      CopySelection();
      return true;
    case WM_PASTE:
      PasteClipboard();
      return true;
    case WM_PRINTCLIENT:
      if (!((Message.LParam & PRF_CHECKVISIBLE) && !IsWindowVisible(Handle()))) {
        TCanvas canvas;
        canvas.SetHandle(HDC(Message.WParam));
        TRect r = ClientRect();
        TRect window(-FOffsetX, -FOffsetY, -FOffsetX + r.Right, -FOffsetY + r.Bottom);
        PaintTreeArea(&canvas, window, TPoint(0, 0),
                      ppBackground | ppColumnColor | ppFocusRect | ppSelection | ppDropMark | ppGridLines);
        canvas.SetHandle(nullptr);
      }
      return true;
    case WM_SETCURSOR:
      return HandleSetCursor(Message);
    case WM_NCHITTEST: {
      TCustomControl::WndProc(Message);
      // The header answers as border, so that it gets the non-client mouse messages.
      TPoint p(short(Message.LParamLo()), short(Message.LParamHi()));
      ::ScreenToClient(Handle(), &p);
      if (!ComponentState().Contains(csDesigning) && FHeader->InHeader(p))
        Message.Result = HTBORDER;
      return true;
    }
    case WM_PRINT:
      // Skipped for an invisible window when asked; otherwise the header goes
      // into the DC and the default handling prints the frame and asks for
      // the client (WM_PRINTCLIENT).
      if ((Message.LParam & PRF_CHECKVISIBLE) && !IsWindowVisible(Handle())) {
        Message.Result = 0;
        return true;
      }
      if (TRect header = HeaderRectInWindow(); !header.IsEmpty())
        FHeader->PaintHeader(HDC(Message.WParam), header, FOffsetX, Enabled());
      return false;
    case WM_NCDESTROY:
      // A running hint animation must not go on for a tree that is going.
      if (FStates.Contains(tsHint))
        SetHintWindowGone(true);
      return false;
    case CM_HINTSHOW:
    case CM_HINTSHOWPAUSE:
      HandleHintMessage(Message);
      return true;
    case 0xB7D0:
      Message.Result = 1;
      return true;
    case TVM_GETITEMRECT:
    case TVM_GETNEXTITEM:
    case TVM_GETITEMA:
      HandleTreeViewMessage(Message);
      return true;
  }
  return false;
}

bool TBaseLazyTree::HandleSetCursor(TMessage& Message)
{
  if (HWND(Message.WParam) != Handle() || ComponentState().Contains(csDesigning))
    return false;
  if (FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling)) {
    // The panning cursor stays; nothing else may replace it.
    MessageBeep(0);
    Message.Result = 1;
    return true;
  }
  if (Screen()->Cursor() != crDefault)
    return false;
  TCursor cursor = HasPaintOption(toHotTrack) && FHotNode ? FHotCursor : Cursor();
  if (OnGetCursor)
    OnGetCursor(this, cursor);
  ::SetCursor(Screen()->Cursors(cursor));
  Message.Result = 1;
  return true;
}

void TBaseLazyTree::HandleTreeViewMessage(TMessage& Message)
{
  Message.Result = 0;
  // A handle from outside is used only when it names a live node of this tree.
  auto live = [&](PLazyNode candidate) -> PLazyNode {
    if (!candidate)
      return nullptr;
    for (PLazyNode n = FirstTopLevelNodeRaw(); n; n = NextNodeRaw(n))
      if (n == candidate)
        return n;
    return nullptr;
  };
  switch (Message.Msg) {
    case TVM_GETITEMRECT: {
      auto* rect = reinterpret_cast<TRect*>(Message.LParam);
      if (!rect)
        return;
      PLazyNode node;
      std::memcpy(&node, rect, sizeof(node));
      node = live(node);
      if (!node || !IsNodeFullyVisible(node))
        return;
      *rect = NodeDisplayRect(node, NoColumn, Message.WParam != 0);
      Message.Result = 1;
      return;
    }
    case TVM_GETNEXTITEM: {
      PLazyNode node = live(reinterpret_cast<PLazyNode>(Message.LParam));
      PLazyNode answer = nullptr;
      switch (Message.WParam) {
        case 0: answer = FirstTopLevelNode(); break;
        case 1: answer = node ? NextSiblingNode(node) : nullptr; break;
        case 2: answer = node ? PreviousSiblingNode(node) : nullptr; break;
        case 3: answer = node && node->ParentNode != FRoot ? node->ParentNode : nullptr; break;
        case 4: answer = node ? FirstChildOf(node) : nullptr; break;
        case 5: answer = FirstVisibleNode(); break;
        case 6: answer = node ? NextVisibleNode(node) : nullptr; break;
        case 7: answer = node ? PreviousVisibleNode(node) : nullptr; break;
        case 8: answer = FDropTargetNode; break;
        case 9: answer = FFocusedNode; break;
        case 10: answer = LastVisibleDescendantOf(FRoot); break;
      }
      Message.Result = LRESULT(answer);
      return;
    }
    case TVM_GETITEMA: {
      auto* item = reinterpret_cast<TTreeViewItemA*>(Message.LParam);
      if (!item || !(item->mask & TVIF_HANDLE))
        return;
      PLazyNode node = live(item->hItem);
      if (!node)
        return;
      bool ghosted = false;
      if (item->mask & TVIF_CHILDREN)
        item->cChildren = int(node->ChildCount);
      if (item->mask & TVIF_IMAGE)
        item->iImage = DoGetImageIndex(node, ikNormal, NoColumn, ghosted);
      if (item->mask & TVIF_SELECTEDIMAGE)
        item->iSelectedImage = DoGetImageIndex(node, ikSelected, NoColumn, ghosted);
      if (item->mask & TVIF_STATE) {
        UINT state = 0;
        if (node == FFocusedNode)
          state |= 1;
        if (node->Has(nfSelected))
          state |= 2;
        if (node->Has(nfClipMarked))
          state |= 4;
        if (node == FDropTargetNode)
          state |= 8;
        if (node->Has(nfExpanded))
          state |= 0x20;
        state |= UINT(DoGetImageIndex(node, ikState, NoColumn, ghosted) + 1) << 12;
        state |= UINT(DoGetImageIndex(node, ikOverlay, NoColumn, ghosted) + 1) << 8;
        item->stateMask = 0xFF2F;
        item->state = state;
      }
      if ((item->mask & TVIF_TEXT) && item->pszText && item->cchTextMax >= 1) {
        std::string text = QueryNodeText(node);
        std::size_t n = CutAtCharBoundary(text, std::size_t(item->cchTextMax - 1)).size();
        std::memcpy(item->pszText, text.data(), n);
        item->pszText[n] = '\0';
      }
      Message.Result = 1;
      return;
    }
  }
}
