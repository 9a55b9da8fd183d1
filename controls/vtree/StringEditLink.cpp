// The string edit link and its edit box: preparing the box over the cell,
// beginning, ending (the typed text goes to the tree) and cancelling, the
// 30-pixel minimum and client-width limit of its bounds, the keys it turns
// into tree commands, and its width following the text while typing.
#include "controls/vtree/StringEditLink.h"

#include <algorithm>

#include "controls/vtree/LazyStringTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/Messages.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/controls/ControlConsts.h"
#include "platform/win/win.h"

namespace {

constexpr int kMinEditWidth = 30;

}  // namespace

TLTEdit::TLTEdit(TStringEditLink* Link) : TCustomEdit(nullptr), FLink(Link)
{
  SetShowHint(false);
  SetParentShowHint(false);
  SetAutoSize(false);
}

TLTEdit::~TLTEdit()
{
  if (FLink)
    FLink->FEdit = nullptr;
  FLink = nullptr;
  FRef.reset();
}

void TLTEdit::Detach()
{
  FRef.reset();  // may free the link, which then forgets this box
}

void TLTEdit::Release()
{
  if (HandleAllocated())
    PostMessage(Handle(), CM_RELEASE, 0, 0);
  else
    delete this;
}

void TLTEdit::CreateParams(TCreateParams& Params)
{
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE;
  if (FLink && FLink->MultiLine()) {
    Params.Style &= ~DWORD(ES_AUTOHSCROLL | WS_HSCROLL);
    Params.Style |= ES_AUTOVSCROLL | WS_VSCROLL;
  }
  // No visual styles here: a plain border.
  Params.Style |= WS_BORDER;
  Params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
}

void TLTEdit::WndProc(TMessage& Message)
{
  TStringEditLink* link = FLink;
  TCustomLazyStringTree* tree = link ? link->FTree : nullptr;
  bool live = link && tree && !link->FStopped;
  switch (Message.Msg) {
    case WM_KEYDOWN:
      if (!live)
        break;
      if (Message.WParam == VK_RETURN) {
        bool ctrl = GetKeyState(VK_CONTROL) < 0;
        if (!link->MultiLine() || ctrl) {
          tree->RepaintNode(link->FNode);
          tree->DoEndEdit();
          if (tree->CanFocus())
            tree->SetFocus();
          return;
        }
      } else if (Message.WParam == VK_ESCAPE) {
        tree->CancelEditNode();
        if (tree->CanFocus())
          tree->SetFocus();
        return;
      } else if ((Message.WParam == VK_UP || Message.WParam == VK_DOWN) && !link->MultiLine()) {
        Message.WParam = Message.WParam == VK_UP ? VK_LEFT : VK_RIGHT;
      }
      break;
    case WM_CHAR:
      if (Message.WParam == 9 || Message.WParam == 27)
        return;
      break;
    case WM_GETDLGCODE:
      TCustomEdit::WndProc(Message);
      Message.Result |= DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
      return;
    case CM_EXIT:
      if (live) {
        if (tree->HasStringOption(toAutoAcceptEditChange))
          tree->DoEndEdit();
        else
          tree->DoCancelEdit();
      }
      break;
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == EN_UPDATE && live && !tree->HasMiscOption(toGridExtensions) &&
          !link->MultiLine())
        PostMessage(Handle(), CM_AUTOADJUST, 0, 0);
      break;
    case CM_AUTOADJUST:
      AutoAdjustSize();
      return;
    case WM_DESTROY:
      // A box going away with unsaved text keeps it when changes are accepted on leaving.
      if (live && tree->HasStringOption(toAutoAcceptEditChange) && Modified())
        tree->SetText(link->FNode, link->FColumn, UTF8Decode(Text()));
      if (live)
        Detach();
      break;
    case CM_RELEASE:
      delete this;
      return;
  }
  TCustomEdit::WndProc(Message);
}

void TLTEdit::AutoAdjustSize()
{
  if (!FLink || !FLink->FTree || FLink->FStopped || FLink->MultiLine() || !HandleAllocated())
    return;
  SendMessage(Handle(), WM_SETREDRAW, FALSE, 0);
  ScopeExit redraw([&] { SendMessage(Handle(), WM_SETREDRAW, TRUE, 0); });
  HDC dc = GetDC(Handle());
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  ScopeExit release([&] {
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
  });
  WideString text = UTF8Decode(Text());
  TSize extent;
  GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
  int width = extent.cx + 2 * FLink->FTree->TextMargin();
  // The cell under a shrinking box shows again.
  if (width < Width())
    FLink->FTree->RepaintNode(FLink->FNode);
  TRect r = BoundsRect();
  if (FLink->FAlignment == taRightJustify)
    r.Left = r.Right - width;
  else
    r.Right = r.Left + width;
  FLink->SetBounds(r);
}

TStringEditLink::TStringEditLink() : FEdit(new TLTEdit(this))
{
  FEdit->SetVisible(false);
  FEdit->SetBorderStyle(bsSingle);
}

TStringEditLink::~TStringEditLink()
{
  if (FEdit) {
    FEdit->FLink = nullptr;
    FEdit->Release();
  }
}

bool TStringEditLink::MultiLine() const
{
  return FNode && FNode->Has(nfMultiline);
}

bool TStringEditLink::BeginEdit()
{
  if (FStopped || !FEdit)
    return false;
  FEdit->Show();
  FEdit->SelectAll();
  FEdit->SetFocus();
  return true;
}

bool TStringEditLink::CancelEdit()
{
  if (FStopped)
    return false;
  FStopped = true;
  if (FEdit) {
    FEdit->Hide();
    FEdit->Detach();
  }
  if (FTree)
    FTree->CancelEditNode();
  return true;
}

bool TStringEditLink::EndEdit()
{
  if (FStopped)
    return false;
  FStopped = true;
  // The link may go when the box lets it go below.
  std::shared_ptr<TStringEditLink> self = shared_from_this();
  try {
    if (FEdit && FEdit->Modified() && FTree)
      FTree->SetText(FNode, FColumn, UTF8Decode(FEdit->Text()));
  } catch (...) {
    FStopped = false;
    throw;
  }
  if (FEdit) {
    FEdit->Hide();
    FEdit->Detach();
  }
  return true;
}

bool TStringEditLink::PrepareEdit(TBaseLazyTree* Tree, PLazyNode Node, TColumnIndex Column)
{
  auto* tree = dynamic_cast<TCustomLazyStringTree*>(Tree);
  if (!tree || !FEdit)
    return false;
  FTree = tree;
  FNode = Node;
  FColumn = Column;
  FEdit->FRef = shared_from_this();
  WideString text;
  tree->GetTextInfo(Node, Column, FEdit->Font(), FTextBounds, text);
  FEdit->Font()->SetColor(clBlack);
  FEdit->SetParent(tree);
  FEdit->Recreate();
  FEdit->HandleNeeded();
  FEdit->SetText(UTF8Encode(text));
  FEdit->SetModified(false);
  TBiDiMode bidi = tree->BiDiMode();
  FAlignment = tree->Alignment();
  if (Column > NoColumn && tree->Header().Columns().IsValidColumn(Column)) {
    bidi = tree->Header().Columns().Item(Column)->BiDiMode();
    FAlignment = tree->Header().Columns().Item(Column)->Alignment();
  }
  if (bidi != bdLeftToRight && FAlignment != taCenter)
    FAlignment = FAlignment == taLeftJustify ? taRightJustify : taLeftJustify;
  return true;
}

TRect TStringEditLink::GetBounds()
{
  return FEdit ? FEdit->BoundsRect() : TRect();
}

void TStringEditLink::ProcessMessage(TMessage& Message)
{
  if (FEdit)
    Message.Result = FEdit->Perform(Message.Msg, Message.WParam, Message.LParam);
}

void TStringEditLink::SetBounds(TRect R)
{
  if (FStopped || !FEdit || !FTree)
    return;
  R.Left = std::max<LONG>(R.Left, 0);
  if (R.Width() < kMinEditWidth) {
    if (FAlignment == taRightJustify)
      R.Left = R.Right - kMinEditWidth;
    else
      R.Right = R.Left + kMinEditWidth;
  }
  R.Right = std::min<LONG>(R.Right, FTree->ClientWidth());
  FEdit->SetBoundsRect(R);
  if (!FEdit->HandleAllocated())
    return;
  // The text inside the box sits where the cell's text was.
  const int d = 2;
  TRect format = FEdit->ClientRect();
  InflateRect(&format, d - FTree->TextMargin(), d);
  if (!MultiLine())
    OffsetRect(&format, 0, FTextBounds.Top - FEdit->Top());
  SendMessage(FEdit->Handle(), EM_SETRECTNP, 0, LPARAM(&format));
}
