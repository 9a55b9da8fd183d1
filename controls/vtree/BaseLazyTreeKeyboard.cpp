// The keyboard: navigation with selection extension, check boxes by the space
// bar, expanding and collapsing keys, help, the context-menu key, and the
// incremental search fed by typed characters.
#include <algorithm>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/base/Utf.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/Application.h"
#include "platform/win/win.h"

namespace {

constexpr WORD kNavigationKeys[] = {VK_BACK, VK_TAB, VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_LEFT, VK_UP, VK_RIGHT,
                                    VK_DOWN};

bool IsNavigationKey(WORD Key)
{
  return std::find(std::begin(kNavigationKeys), std::end(kNavigationKeys), Key) != std::end(kNavigationKeys);
}

// The character a key gives with Shift as held (Ctrl taken as released): the
// main keyboard's * + - / act as the numeric pad's keys.
WORD NumericPadEquivalent(WORD Key, TShiftState Shift)
{
  UINT ch = MapVirtualKey(Key, MAPVK_VK_TO_CHAR) & 0x7FFF;
  if (Shift.Contains(ssShift)) {
    if (ch == '8')
      ch = '*';
    else if (ch == '=')
      ch = '+';
  }
  switch (ch) {
    case '*': return VK_MULTIPLY;
    case '+': return VK_ADD;
    case '-': return VK_SUBTRACT;
    case '/': return VK_DIVIDE;
  }
  return Key;
}

}  // namespace

void TBaseLazyTree::SetIncrementalSearch(TLTIncrementalSearch Value)
{
  if (Value == FIncrementalSearch)
    return;
  FIncrementalSearch = Value;
  if (Value == isNone)
    StopIncrementalSearch();
}

std::string TBaseLazyTree::SearchText() const
{
  std::string out;
  for (char32_t c : FTypedSearchText)
    AppendUtf8(out, c);
  return out;
}

int TBaseLazyTree::DoGetHelpContext(PLazyNode Node)
{
  int context = 0;
  for (PLazyNode n = Node; n && n != FRoot && context == 0; n = n->ParentNode)
    OnGetHelpContext(this, n, 0, context);
  for (TControl* c = this; c && context == 0; c = c->Parent())
    context = int(c->HelpContext());
  return context;
}

bool TBaseLazyTree::HandleKeyDown(TMessage& Message)
{
  TAliveToken alive = AliveToken();
  TCustomControl::WndProc(Message);  // OnKeyDown may clear the key
  if (!*alive)
    return true;
  auto& key = MessageAs<TWMKey>(Message);
  WORD code = key.CharCode;
  if (code == 0)
    return true;
  TShiftState shift = KeyDataToShiftState(key.KeyData);
  bool doDefault = true;
  if (OnKeyAction)
    OnKeyAction(this, code, shift, doDefault);
  if (!doDefault || code == 0)
    return true;
  if (FStates.Contains(tsKeyCheckPending) && code != VK_SPACE) {
    ChangeStates({}, {tsKeyCheckPending});
    ReleasePressedCheck(false);
  }
  if (IsNavigationKey(code))
    HandleNavigationKey(code, shift);
  else
    HandleOtherKey(code, shift);
  return true;
}

void TBaseLazyTree::HandleNavigationKey(WORD Key, TShiftState Shift)
{
  bool multi = HasSelectionOption(toMultiSelect);
  bool extend = Shift.Contains(ssShift) && multi && !FStates.Contains(tsEditing);
  bool toggleRange = extend && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME);
  bool repaintAll = toggleRange || FSelectionCount > 1;
  bool gridExt = HasMiscOption(toGridExtensions);
  bool ctrl = Shift.Contains(ssCtrl);
  bool clearFirst = !(!Shift.Empty() && (!gridExt || Shift.Contains(ssShift)) && multi && Key != VK_BACK &&
                      Key != VK_TAB);
  PLazyNode oldFocus = FFocusedNode;
  if (!oldFocus && !Shift.Empty())
    oldFocus = FirstVisibleNode();
  if (!FSelectionAnchor)
    FSelectionAnchor = FSelectionCount > 0 ? FirstSelectedNode() : FirstTopLevelNode();
  PLazyNode before = FFocusedNode;
  int clientHeight = ClientHeight();
  auto focus = [&](PLazyNode n) {
    if (n)
      SetFocusedNode(n);
  };
  switch (Key) {
    case VK_BACK:
      if (FStates.Contains(tsIncrementalSearching)) {
        ChangeStates({tsIncrementalSearchPending}, {});
        return;
      }
      if (FFocusedNode && FFocusedNode->ParentNode != FRoot)
        focus(FFocusedNode->ParentNode);
      break;
    case VK_TAB:
      // Walking cells needs columns; without them Tab moves nothing.
      if (HasSelectionOption(toExtendedFocus) && UseColumns() && FFocusedNode)
        TabToNextCell(Shift.Contains(ssShift));
      break;
    case VK_PRIOR:
    case VK_NEXT: {
      bool up = Key == VK_PRIOR;
      if (ctrl) {
        SetOffsetY(FOffsetY + (up ? clientHeight : -clientHeight));
        return;
      }
      PLazyNode n = FFocusedNode;
      if (!n) {
        n = up ? FirstVisibleNode() : LastVisibleDescendantOf(FRoot);
      } else {
        int sum = 0;
        while (sum < clientHeight) {
          PLazyNode next = up ? PreviousVisibleNode(n) : NextVisibleNode(n);
          if (!next)
            break;
          sum += int(NodeHeightOf(next));
          n = next;
        }
      }
      focus(n);
      break;
    }
    case VK_HOME:
    case VK_END: {
      bool home = Key == VK_HOME;
      PLazyNode target = home ? FirstVisibleNode() : LastVisibleDescendantOf(FRoot);
      // With columns the target cell is the first (last) visible column the
      // owner lets the focus go to; when it allows none, the key does nothing.
      TColumnIndex column = NoColumn;
      if (UseColumns()) {
        const TLazyTreeColumns& columns = FHeader->Columns();
        column = home ? columns.FirstVisibleColumn() : columns.LastVisibleColumn();
        while (column != InvalidColumn && !DoFocusChanging(FFocusedNode, target, FFocusedColumn, column))
          column = home ? columns.NextVisibleColumn(column) : columns.PreviousVisibleColumn(column);
        if (column == InvalidColumn)
          return;
      }
      if (ctrl && !gridExt && !Shift.Contains(ssShift)) {
        if (target)
          BringNodeIntoView(target, HasSelectionOption(toCenterScrollIntoView),
                            !HasAutoOption(toDisableAutoscrollOnFocus));
        SetOffsetX(home ? 0 : -FRangeX);
        return;
      }
      if (!gridExt || ctrl)
        focus(target);
      if (gridExt && column != NoColumn && !HasSelectionOption(toFullRowSelect))
        SetFocusedColumn(column);
      break;
    }
    case VK_LEFT:
      if (ctrl) {
        SetOffsetX(FOffsetX + int(FIndent));
        return;
      }
      if (HasSelectionOption(toExtendedFocus) && gridExt && UseColumns()) {
        TColumnIndex previous = FHeader->Columns().PreviousVisibleColumn(FFocusedColumn);
        if (previous != InvalidColumn)
          SetFocusedColumn(previous);
      } else if (FFocusedNode) {
        if (FFocusedNode->Has(nfExpanded) && FFocusedNode->Has(nfHasChildren) && Shift.Empty()) {
          ToggleExpansion(FFocusedNode);
        } else if (FFocusedNode->ParentNode != FRoot) {
          if (extend) {
            if (FFocusedNode->PriorSibling)
              toggleRange = true;
            else if (FSelectionAnchor && CompareNodePositions(FFocusedNode->ParentNode, FSelectionAnchor) > 0)
              RemoveFromSelection(FFocusedNode);
          }
          focus(FFocusedNode->ParentNode);
        }
      } else {
        focus(FirstVisibleNode());
      }
      break;
    case VK_RIGHT:
      if (ctrl) {
        SetOffsetX(FOffsetX - int(FIndent));
        return;
      }
      if (HasSelectionOption(toExtendedFocus) && gridExt && UseColumns()) {
        TColumnIndex next = FHeader->Columns().NextVisibleColumn(FFocusedColumn);
        if (next != InvalidColumn)
          SetFocusedColumn(next);
      } else if (FFocusedNode) {
        if (!FFocusedNode->Has(nfExpanded) && FFocusedNode->Has(nfHasChildren) && Shift.Empty()) {
          ToggleExpansion(FFocusedNode);
        } else if (PLazyNode child = FirstVisibleChildOf(FFocusedNode)) {
          if (extend && FSelectionAnchor && CompareNodePositions(child, FSelectionAnchor) < 0)
            RemoveFromSelection(FFocusedNode);
          focus(child);
        }
      } else {
        focus(FirstVisibleNode());
      }
      break;
    case VK_UP:
    case VK_DOWN: {
      bool up = Key == VK_UP;
      if (ctrl) {
        SetOffsetY(FOffsetY + (up ? int(FDefaultNodeHeight) : -int(FDefaultNodeHeight)));
        return;
      }
      PLazyNode target = FFocusedNode ? (up ? PreviousVisibleNode(FFocusedNode) : NextVisibleNode(FFocusedNode))
                                      : (up ? LastVisibleDescendantOf(FRoot) : FirstVisibleNode());
      if (target) {
        if (extend && FFocusedNode && oldFocus && FSelectionAnchor) {
          int side = CompareNodePositions(oldFocus, FSelectionAnchor);
          if ((up && side > 0) || (!up && side < 0))
            RemoveFromSelection(FFocusedNode);
        }
        focus(target);
      } else if (FFocusedNode) {
        RepaintNode(FFocusedNode);
      }
      break;
    }
  }
  bool moved = FFocusedNode != before;
  bool forceSelect = false;
  if (clearFirst && !(!moved && FSelectionCount == 1)) {
    ClearSelection();
    forceSelect = true;
  }
  if (Shift.Empty() && FFocusedNode) {
    FSelectionAnchor = FFocusedNode;
    FLastSelectionLevel = int(NodeLevel(FFocusedNode));
  }
  if (toggleRange && FFocusedNode)
    ToggleVisibleRange(oldFocus, FFocusedNode);
  if (FFocusedNode && (forceSelect || moved) && !FFocusedNode->Has(nfSelected)) {
    std::vector<PLazyNode> one{FFocusedNode};
    AddWithConstraints(one, false);
    Change(FFocusedNode);
    RepaintNode(FFocusedNode);
  }
  if (repaintAll)
    Invalidate();
}

// Tab and Shift+Tab: through the visible columns of the focused node, then
// on in the next (previous) visible node, to the first cell the owner lets
// the focus go to. The walk stops at the last (first) node.
void TBaseLazyTree::TabToNextCell(bool Backward)
{
  const TLazyTreeColumns& columns = FHeader->Columns();
  PLazyNode node = FFocusedNode;
  TColumnIndex column = FFocusedColumn;
  for (bool first = true;; first = false) {
    // No focused column yet: the walk starts at the node's own first (last) cell.
    if (first && column < 0)
      column = Backward ? columns.LastVisibleColumn() : columns.FirstVisibleColumn();
    else
      column = Backward ? columns.PreviousVisibleColumn(column) : columns.NextVisibleColumn(column);
    if (column == InvalidColumn) {
      node = Backward ? PreviousVisibleNode(node) : NextVisibleNode(node);
      if (!node)
        return;
      column = Backward ? columns.LastVisibleColumn() : columns.FirstVisibleColumn();
      if (column == InvalidColumn)
        return;
    }
    if (!DoFocusChanging(FFocusedNode, node, FFocusedColumn, column))
      continue;
    TColumnIndex oldColumn = FFocusedColumn;
    SetFocusedColumn(column);
    SetFocusedNode(node);
    if (FFocusedNode == node) {
      if (FStates.Contains(tsEditing))
        CancelEditNode();
    } else {
      FFocusedColumn = oldColumn;  // the node kept the focus: so does its column
    }
    return;
  }
}

void TBaseLazyTree::HandleOtherKey(WORD Key, TShiftState Shift)
{
  Key = NumericPadEquivalent(Key, Shift);
  bool ctrl = Shift.Contains(ssCtrl), shiftKey = Shift.Contains(ssShift);
  bool searching = FStates.Contains(tsIncrementalSearching);
  switch (Key) {
    case VK_ESCAPE:
      if (IsMouseSelecting()) {
        ChangeStates({}, {tsDrawSelPending, tsDrawSelecting});
        Invalidate();
      } else if (FStates.Contains(tsEditing)) {
        CancelEditNode();
      }
      return;
    case VK_SPACE:
      if (HasMiscOption(toCheckSupport) && FFocusedNode && FFocusedNode->CheckKind != ctNone) {
        if (PressCheckBox(FFocusedNode))
          ChangeStates({tsKeyCheckPending}, {});
        return;
      }
      break;
    case 'A':
      if (ctrl) {
        SelectAllNodes(true);
        return;
      }
      break;
    case VK_APPS:
      if (FFocusedNode) {
        TRect r = NodeDisplayRect(FFocusedNode, FFocusedColumn, true);
        int half = std::min((r.Right - r.Left) / 2, ClientWidth());
        ShowNodePopup(FFocusedNode, FFocusedColumn, TPoint(r.Left + half, (r.Top + r.Bottom) / 2));
      }
      return;
    case VK_MULTIPLY:
    case VK_ADD:
    case VK_SUBTRACT:
    case VK_DIVIDE:
      if (searching)
        break;
      if (Key == VK_MULTIPLY) {
        if (FFocusedNode)
          ExpandSubtree(FFocusedNode);
      } else if (Key == VK_DIVIDE) {
        if (FFocusedNode)
          CollapseSubtree(FFocusedNode);
      } else if (ctrl && shiftKey) {
        if (Key == VK_ADD)
          ExpandSubtree(nullptr);
        else
          CollapseSubtree(nullptr);
      } else if (!ctrl && FFocusedNode && FFocusedNode->Has(nfHasChildren) &&
                 FFocusedNode->Has(nfExpanded) == (Key == VK_SUBTRACT)) {
        ToggleExpansion(FFocusedNode);
      }
      return;
    case VK_F1:
      if (OnGetHelpContext) {
        int context = DoGetHelpContext(FFocusedNode);
        if (context != 0 && Application())
          Application()->HelpContext(context);
      }
      return;
    case VK_F2:
      if (Shift.Empty() && FFocusedNode && DoCanEdit(FFocusedNode, FFocusedColumn)) {
        FEditColumn = FFocusedColumn;
        DoEdit();
      }
      return;
  }
  if (Shift.Contains(ssAlt) || ctrl || Key < 32)
    return;
  ChangeStates({tsIncrementalSearchPending}, {});
}

void TBaseLazyTree::HandleKeyUp(TMessage& Message)
{
  TAliveToken alive = AliveToken();
  TCustomControl::WndProc(Message);
  if (!*alive)
    return;
  auto& key = MessageAs<TWMKey>(Message);
  if (key.CharCode == VK_SPACE && FStates.Contains(tsKeyCheckPending)) {
    ChangeStates({}, {tsKeyCheckPending});
    ReleasePressedCheck(FPressedCheckNode == FFocusedNode);
  }
}

void TBaseLazyTree::HandleChar(TMessage& Message)
{
  if (FStates.Contains(tsIncrementalSearchPending)) {
    ChangeStates({}, {tsIncrementalSearchPending});
    IncrementalSearchStep(char32_t(Message.WParam));
  }
  TCustomControl::WndProc(Message);
}

void TBaseLazyTree::StopIncrementalSearch()
{
  if (HasWindow())
    KillTimer(Handle(), kSearchTimer);
  ChangeStates({}, {tsIncrementalSearching, tsIncrementalSearchPending});
  FTypedSearchText.clear();
  FSearchHitNode = nullptr;
}

TBaseLazyTree::TSearchText::TSearchText(const std::u32string& Typed)
{
  for (char32_t c : Typed)
    AppendUtf8(Utf8, c);
  Wide = UTF8Decode(Utf8);
}

int TBaseLazyTree::DoIncrementalSearch(PLazyNode Node, const TSearchText& Text)
{
  int result = 0;  // without a handler every node matches
  if (OnIncrementalSearch)
    OnIncrementalSearch(this, Node, Text.Utf8, result);
  return result;
}

PLazyNode TBaseLazyTree::SearchWalkFirst(bool Forward)
{
  switch (FIncrementalSearch) {
    case isVisibleOnly: return Forward ? FirstVisibleNode() : LastVisibleDescendantOf(FRoot);
    case isInitializedOnly: {
      PLazyNode n = Forward ? FirstTopLevelNodeRaw() : LastDescendantOfRaw(FRoot);
      while (n && !n->Has(nfInitialized))
        n = Forward ? NextNodeRaw(n) : PreviousNodeRaw(n);
      return n;
    }
    default: return Forward ? FirstTopLevelNode() : LastDescendantOf(FRoot);
  }
}

PLazyNode TBaseLazyTree::SearchWalkNext(PLazyNode Node, bool Forward)
{
  switch (FIncrementalSearch) {
    case isVisibleOnly: return Forward ? NextVisibleNode(Node) : PreviousVisibleNode(Node);
    case isInitializedOnly:
      do
        Node = Forward ? NextNodeRaw(Node) : PreviousNodeRaw(Node);
      while (Node && !Node->Has(nfInitialized));
      return Node;
    default: return Forward ? NextNode(Node) : PreviousNode(Node);
  }
}

void TBaseLazyTree::IncrementalSearchStep(char32_t Character)
{
  if (HasWindow())
    KillTimer(Handle(), kSearchTimer);
  if (FIncrementalSearch == isNone)
    return;
  ChangeStates({tsIncrementalSearching}, {});
  bool backspace = Character == 8;
  if (!backspace || FTypedSearchText.size() > 1) {
    PLazyNode start = nullptr;
    if (FSearchStart == ssLastHit)
      start = FSearchHitNode;
    else if (FSearchStart == ssFocusedNode)
      start = FFocusedNode;
    if (start && FIncrementalSearch == isInitializedOnly && !start->Has(nfInitialized))
      start = nullptr;
    if (start && FIncrementalSearch == isVisibleOnly && !IsNodeVisible(start))
      start = nullptr;
    bool forward = (FSearchDirection == sdForward) != backspace;
    std::u32string doubled = FTypedSearchText + Character;
    bool repeat = !backspace && FTypedSearchText.size() == 1 && FTypedSearchText[0] == Character &&
                  (!start || DoIncrementalSearch(start, TSearchText(doubled)) != 0);
    PLazyNode origin = start;
    PLazyNode run = start;
    bool advanced = FTypedSearchText.empty() || !start || repeat || backspace;
    if (advanced) {
      run = start ? SearchWalkNext(start, forward) : nullptr;
      if (!run)
        run = SearchWalkFirst(forward);
    }
    std::u32string text;
    if (repeat) {
      text = FTypedSearchText;
    } else if (backspace) {
      FTypedSearchText.pop_back();
      text = FTypedSearchText;
    } else {
      text = doubled;
    }
    const TSearchText search(text);
    PLazyNode hit = nullptr;
    bool first = true;
    for (PLazyNode n = run; n; first = false) {
      if (!first && n == origin && origin && !advanced)
        break;
      if (n == origin && advanced && origin)
        break;
      if (DoIncrementalSearch(n, search) == 0) {
        hit = n;
        break;
      }
      n = SearchWalkNext(n, forward);
      if (!n)
        n = SearchWalkFirst(forward);
      if (n == run && !origin)
        break;  // a full round without a start
    }
    if (hit) {
      ClearSelection();
      FTypedSearchText = text;
      FSearchHitNode = hit;
      SetFocusedNode(hit);
      SetNodeSelected(hit, true);
    } else if (!origin || DoIncrementalSearch(origin, search) != 0) {
      MessageBeep(0);
    }
  }
  if (HasWindow())
    SetTimer(Handle(), kSearchTimer, FSearchTimeout, nullptr);
}
