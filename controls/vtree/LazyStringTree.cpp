// The string tree: cell text from the owner, its width cache, painting of
// normal and static text, and the caption chunk of the tree stream.
#include "controls/vtree/LazyStringTree.h"
#include "controls/vtree/LazyTreeClipboardFormats.h"

#include <algorithm>

#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/StringEditLink.h"
#include "controls/vtree/TextShortening.h"
#include "platform/base/ScopeGuard.h"
#include "platform/base/Stream.h"
#include "platform/classes/components/Reader.h"
#include "platform/classes/components/Writer.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

constexpr int kCaptionChunk = 3;
constexpr UINT kSingleLineFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;                       // 0x824
constexpr UINT kMultiLineFlags = DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS;  // 0xA810

UINT AlignmentFlag(TAlignment A)
{
  return A == taRightJustify ? DT_RIGHT : A == taCenter ? DT_CENTER : DT_LEFT;
}

}  // namespace

TCustomLazyStringTree::TCustomLazyStringTree(TComponent* AOwner) : TBaseLazyTree(AOwner)
{
  AdoptOptions(CreateOptions());
  FWidthOffset = ReserveInternalData(sizeof(std::int32_t));
  // The base tree enabled only its own formats: the text ones are known
  // only now that the tree is a text tree.
  for (const TClipboardFormatEntry& e : TClipboardFormatList::Entries())
    ClipboardFormats()->Add(e.Description);
}

void TCustomLazyStringTree::SetDefaultText(const WideString& Value)
{
  if (Value == FDefaultText)
    return;
  FDefaultText = Value;
  if (!ComponentState().Contains(csLoading) && HandleAllocated())
    Invalidate();
}

std::unique_ptr<TCustomLazyTreeOptions> TCustomLazyStringTree::CreateOptions()
{
  return std::make_unique<TCustomStringTreeOptions>(this);
}

TLazyStringTree::TLazyStringTree(TComponent* AOwner) : TCustomLazyStringTree(AOwner)
{
  AdoptOptions(CreateOptions());
}

std::unique_ptr<TCustomLazyTreeOptions> TLazyStringTree::CreateOptions()
{
  return std::make_unique<TStringTreeOptions>(this);
}

void TCustomLazyStringTree::DefineProperties(TFiler* Filer)
{
  TBaseLazyTree::DefineProperties(Filer);
  Filer->DefineProperty("WideDefaultText", TReaderProc(this, &TCustomLazyStringTree::ReadDefaultTextProperty),
                        TWriterProc(this, &TCustomLazyStringTree::WriteDefaultTextProperty),
                        FDefaultText != u"Node");
  Filer->DefineProperty("StringOptions", TReaderProc(this, &TCustomLazyStringTree::ReadOldStringOptionsProperty),
                        TWriterProc(), false);
}

void TCustomLazyStringTree::ReadDefaultTextProperty(TReader* Reader)
{
  SetDefaultText(Reader->ReadWideString());
}

void TCustomLazyStringTree::WriteDefaultTextProperty(TWriter* Writer)
{
  Writer->WriteWideString(FDefaultText);
}

void TCustomLazyStringTree::ReadOldStringOptionsProperty(TReader* Reader)
{
  TreeOptions()->ReadLegacyStringOptions(ReadSetNames(Reader));
}

WideString TCustomLazyStringTree::Text(PLazyNode Node, TColumnIndex Column)
{
  WideString text;
  CellText(Node, Column, text);
  return text;
}

void TCustomLazyStringTree::CellText(PLazyNode Node, TColumnIndex Column, WideString& Into)
{
  if (!Node)
    RaiseTreeError("Node must not be nil.", 0);
  if (!Node->Has(nfInitialized) && Node != HiddenRoot())
    InitializeNode(Node);
  Into = FDefaultText;
  DoGetText(Node, Column, ttNormal, Into);
}

void TCustomLazyStringTree::SetText(PLazyNode Node, TColumnIndex Column, const WideString& Value)
{
  DoNewText(Node, Column, Value);
  CachedWidth(Node) = 0;
  Node->StateBits &= std::uint16_t(~nfHeightMeasured);
  RepaintNode(Node);
}

void TCustomLazyStringTree::GetTextInfo(PLazyNode Node, TColumnIndex Column, TFont* Font, TRect& R,
                                        WideString& Text)
{
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(this->Font());
  int lineHeight = FontTextHeight();
  if (PaintTextChangedFont(Node, canvas, Column))
    lineHeight = canvas->TextHeight("Wy");
  Font->Assign(canvas->Font());
  Text = this->Text(Node, Column);
  bool multiLine = Node->Has(nfMultiline);
  R = NodeDisplayRect(Node, Column, !multiLine, true);
  if (HasPaintOption(toShowHorzGridLines))
    R.Bottom -= 1;
  if (!multiLine) {
    int middle = (R.Top + R.Bottom) / 2;
    R.Top = middle - lineHeight / 2;
    R.Bottom = R.Top + lineHeight;
  }
  canvas->Font()->Assign(this->Font());
}

std::shared_ptr<ILTEditLink> TCustomLazyStringTree::DoCreateEditor(PLazyNode Node, TColumnIndex Column)
{
  if (OnCreateEditor)
    return TBaseLazyTree::DoCreateEditor(Node, Column);
  return std::make_shared<TStringEditLink>();
}

int TCustomLazyStringTree::TextWidth(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, const WideString& Text)
{
  int width = 2 * TextMargin();
  if (!Text.empty()) {
    Canvas->SetFont(Font());
    DoPaintText(Node, Canvas, Column, ttNormal);
    Canvas->RequiredState({csHandleValid, csFontValid});
    TSize extent{};
    GetTextExtentPoint32W(Canvas->Handle(), Text.c_str(), int(Text.size()), &extent);
    width += extent.cx;
  }
  return width;
}

int TCustomLazyStringTree::ComputeNodeHeight(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column)
{
  if (!Node->Has(nfMultiline))
    return Node->NodeHeight;
  TRect r = NodeDisplayRect(Node, Column, false, true);
  TAlignment alignment = Alignment();
  bool rightToLeft = BiDiMode() != bdLeftToRight;
  const TLazyTreeColumns& columns = Header().Columns();
  if (UseColumns() && columns.IsValidColumn(Column)) {
    alignment = columns.Item(Column)->Alignment();
    rightToLeft = columns.Item(Column)->UseRightToLeftReading();
    if (HasAutoOption(toAutoSpanColumns) && !rightToLeft)
      for (TColumnIndex next = columns.NextVisibleColumn(Column);
           next >= 0 && !columns.Item(next)->UseRightToLeftReading() && DoGetCellIsEmpty(Node, next);
           next = columns.NextVisibleColumn(next))
        r.Right += columns.Item(next)->Width();
  }
  UINT flags = DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK | AlignmentFlag(alignment);
  if (rightToLeft)
    flags |= DT_RTLREADING | DT_RIGHT;
  WideString text = Text(Node, Column);
  Canvas->RequiredState({csHandleValid, csFontValid});
  DrawTextW(Canvas->Handle(), text.c_str(), int(text.size()), &r, flags);
  return r.Height();
}

void TCustomLazyStringTree::MeasureFont()
{
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  FTextHeight = metrics.tmHeight;
  TSize ellipsis{};
  GetTextExtentPoint32W(dc, u"...", 3, &ellipsis);
  FEllipsisWidth = ellipsis.cx;
  SelectObject(dc, old);
  DeleteDC(dc);
}

int TCustomLazyStringTree::FontTextHeight()
{
  if (!FTextHeight)
    MeasureFont();
  return FTextHeight;
}

void TCustomLazyStringTree::ClearCachedWidths()
{
  for (PLazyNode n = FirstTopLevelNodeRaw(); n; n = NextNodeRaw(n))
    CachedWidth(n) = 0;
}

void TCustomLazyStringTree::MainColumnChanged()
{
  ClearCachedWidths();
  TBaseLazyTree::MainColumnChanged();
}

void TCustomLazyStringTree::WndProc(TMessage& Message)
{
  TBaseLazyTree::WndProc(Message);
  if (Message.Msg == WM_SETFONT) {
    MeasureFont();
    ClearCachedWidths();
  }
}

void TCustomLazyStringTree::ReinitializeNode(PLazyNode Node, bool Recursive)
{
  TBaseLazyTree::ReinitializeNode(Node, Recursive);
  if (Node && Node != HiddenRoot()) {
    CachedWidth(Node) = 0;
    Node->StateBits &= std::uint16_t(~nfHeightMeasured);
  }
}

int TCustomLazyStringTree::DoGetNodeWidth(PLazyNode Node, TColumnIndex Column, TCanvas* Canvas)
{
  if (Column >= 0 && Node->Has(nfMultiline))
    return NodeDisplayRect(Node, Column, false).Width();
  TCanvas* canvas = Canvas ? Canvas : this->Canvas();
  if (Column == MainColumnIndex()) {
    std::int32_t& cached = CachedWidth(Node);
    if (cached == 0)
      cached = TextWidth(canvas, Node, Column, Text(Node, Column));
    return cached;
  }
  return TextWidth(canvas, Node, Column, Text(Node, Column));
}

bool TCustomLazyStringTree::DoGetCellIsEmpty(PLazyNode Node, TColumnIndex Column)
{
  if (!Text(Node, Column).empty())
    return false;
  return TBaseLazyTree::DoGetCellIsEmpty(Node, Column);
}

int TCustomLazyStringTree::CompareForSearch(PLazyNode Node, const WideString& Text)
{
  // One buffer for every node a search offers: its block is reused.
  CellText(Node, FocusedColumn(), FSearchCell);
  return FSearchCell.compare(0, Text.size(), Text) == 0 && FSearchCell.size() >= Text.size() ? 0 : 1;
}

int TCustomLazyStringTree::DoIncrementalSearch(PLazyNode Node, const TSearchText& Text)
{
  if (OnIncrementalSearch)
    return TBaseLazyTree::DoIncrementalSearch(Node, Text);
  return CompareForSearch(Node, Text.Wide);
}

void TCustomLazyStringTree::DoGetText(PLazyNode Node, TColumnIndex Column, TLSTTextType TextType, WideString& Text)
{
  if (OnGetText)
    OnGetText(this, Node, Column, TextType, Text);
}

std::string TCustomLazyStringTree::QueryNodeText(PLazyNode Node)
{
  return UTF8Encode(Text(Node, MainColumn()));
}

std::string TCustomLazyStringTree::HintTextOf(PLazyNode Node, TColumnIndex Column, bool Tooltip)
{
  if (Tooltip)
    return UTF8Encode(Text(Node, Column));
  WideString hint = UTF8Decode(TBaseLazyTree::HintTextOf(Node, Column, false));
  DoGetHint(Node, Column, ttNormal, hint);
  return UTF8Encode(hint);
}

void TCustomLazyStringTree::DoGetHint(PLazyNode Node, TColumnIndex Column, TLSTTextType TextType, WideString& Text)
{
  if (OnGetHint)
    OnGetHint(this, Node, Column, TextType, Text);
}

void TCustomLazyStringTree::ApplyTooltipFont(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column)
{
  Canvas->SetFont(Font());
  DoPaintText(Node, Canvas, Column, ttNormal);
}

bool TCustomLazyStringTree::PaintTextChangedFont(PLazyNode Node, TCanvas* Canvas, TColumnIndex Column)
{
  AttachFontChangeWatch(Canvas);
  ScopeExit detach([&] { DetachFontChangeWatch(); });
  ResetFontChanged();
  DoPaintText(Node, Canvas, Column, ttNormal);
  return FontChanged();
}

void TCustomLazyStringTree::DoPaintText(PLazyNode Node, TCanvas* Canvas, TColumnIndex Column, TLSTTextType TextType)
{
  if (OnPaintText)
    OnPaintText(this, Canvas, Node, Column, TextType);
}

void TCustomLazyStringTree::DoNewText(PLazyNode Node, TColumnIndex Column, const WideString& Text)
{
  if (OnNewText)
    OnNewText(this, Node, Column, Text);
}

WideString TCustomLazyStringTree::DoShortenString(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column,
                                                  const WideString& S, int Width, bool RightToLeft)
{
  WideString result;
  bool done = false;
  if (OnShortenString)
    OnShortenString(this, Canvas, Node, Column, S, Width, RightToLeft, result, done);
  if (done)
    return result;
  Canvas->RequiredState({csHandleValid, csFontValid});
  return ShortenText(Canvas->Handle(), S, Width, FEllipsisWidth, RightToLeft);
}

void TCustomLazyStringTree::DoPaintNode(TLtPaintInfo& Info)
{
  WideString text = Text(Info.Node, Info.Column);
  if (!text.empty())
    PaintNormalText(Info, text);
  if (Alignment() != taCenter && !Info.Node->Has(nfMultiline) && HasStringOption(toShowStaticText)) {
    WideString staticText;
    DoGetText(Info.Node, Info.Column, ttStatic, staticText);
    if (!staticText.empty())
      PaintStaticText(Info, staticText);
  }
}

void TCustomLazyStringTree::ApplySelectionColor(TLtPaintInfo& Info)
{
  PLazyNode node = Info.Node;
  bool highlight;
  if (node == DropTargetNode())
    highlight = DropMode() == dmOnNode || node->Has(nfSelected);
  else
    highlight = node->Has(nfSelected) && ((HandleAllocated() && GetFocus() == Handle()) || HasPaintOption(toPopupMode));
  if (highlight)
    Info.Canvas->Font()->SetColor(clHighlightText);
}

void TCustomLazyStringTree::DrawCellText(TCanvas* Canvas, const WideString& Text, TRect R, UINT Flags)
{
  Canvas->RequiredState({csHandleValid, csFontValid});
  HDC dc = Canvas->Handle();
  SetBkMode(dc, (Canvas->TextFlags() & ETO_OPAQUE) ? OPAQUE : TRANSPARENT);
  DrawTextW(dc, Text.c_str(), int(Text.size()), &R, Flags);
}

void TCustomLazyStringTree::PaintNormalText(TLtPaintInfo& Info, const WideString& Text)
{
  TCanvas* canvas = Info.Canvas;
  PLazyNode node = Info.Node;
  canvas->SetFont(Font());
  if (HasPaintOption(toHotTrack) && node == HotNode()) {
    canvas->Font()->SetStyle(canvas->Font()->Style() + fsUnderline);
    canvas->Font()->SetColor(Colors()->Color(HotColor));
  }
  if ((Info.PaintOptions & ppSelection) &&
      (Info.Column == FocusedColumn() || HasSelectionOption(toFullRowSelect)))
    ApplySelectionColor(Info);
  TRect r = Info.ContentRect;
  r.Left += TextMargin();
  r.Right -= TextMargin();
  bool disabled = node->Has(nfDisabled) || !Enabled();
  UINT rtl = Info.RightToLeft ? DT_RTLREADING : 0;
  WideString text = Text;
  UINT flags;
  if (node->Has(nfMultiline)) {
    DoPaintText(node, canvas, Info.Column, ttNormal);
    if (disabled)
      canvas->Font()->SetColor(Colors()->Color(DisabledColor));
    flags = AlignmentFlag(Info.Alignment) | kMultiLineFlags | rtl;
  } else {
    canvas->SetTextFlags(0);
    if (PaintTextChangedFont(node, canvas, Info.Column)) {
      canvas->RequiredState({csHandleValid, csFontValid});
      TSize extent{};
      GetTextExtentPoint32W(canvas->Handle(), text.c_str(), int(text.size()), &extent);
      Info.NodeWidth = extent.cx + 2 * TextMargin();
      FEllipsisWidth = 0;
    }
    if (disabled)
      canvas->Font()->SetColor(Colors()->Color(DisabledColor));
    flags = kSingleLineFlags | rtl;
    if (Info.Column < 0) {
      flags |= AlignmentFlag(Info.Alignment);
    } else if (r.Width() < Info.NodeWidth - 2 * TextMargin()) {
      text = DoShortenString(canvas, node, Info.Column, text, r.Width(), Info.RightToLeft);
      if (Info.Alignment == taRightJustify)
        flags |= DT_RIGHT;
    } else {
      flags |= AlignmentFlag(Info.Alignment);
    }
  }
  DrawCellText(canvas, text, r, flags);
}

void TCustomLazyStringTree::PaintStaticText(TLtPaintInfo& Info, const WideString& Text)
{
  TCanvas* canvas = Info.Canvas;
  canvas->SetFont(Font());
  if (HasSelectionOption(toFullRowSelect) && (Info.PaintOptions & ppSelection))
    ApplySelectionColor(Info);
  canvas->SetTextFlags(0);
  DoPaintText(Info.Node, canvas, Info.Column, ttStatic);
  if (Info.Node->Has(nfDisabled) || !Enabled())
    canvas->Font()->SetColor(Colors()->Color(DisabledColor));
  TRect r = Info.ContentRect;
  if (Info.Alignment == taRightJustify)
    r.Right -= Info.NodeWidth + TextMargin();
  else
    r.Left += Info.NodeWidth + TextMargin();
  DrawCellText(canvas, Text, r, kSingleLineFlags);
}

void TCustomLazyStringTree::WriteNodeCaption(TStream* Stream, PLazyNode Node)
{
  if (!HasStringOption(toSaveCaptions) || Node == HiddenRoot() || !Node->Has(nfInitialized))
    return;
  WideString text = Text(Node, MainColumnIndex());
  if (text.empty())
    return;
  std::int32_t header[2] = {kCaptionChunk, std::int32_t(text.size() * 2)};
  Stream->WriteBuffer(header, sizeof(header));
  Stream->WriteBuffer(text.data(), std::int64_t(text.size() * 2));
}

bool TCustomLazyStringTree::ReadSubChunk(TStream* Stream, int Version, PLazyNode Node, int ChunkType, int ChunkSize)
{
  if (ChunkType != kCaptionChunk)
    return TBaseLazyTree::ReadSubChunk(Stream, Version, Node, ChunkType, ChunkSize);
  // The size was checked against the node chunk by the reader.
  WideString text(std::size_t(std::max(ChunkSize, 0) / 2), u'\0');
  if (!text.empty())
    Stream->ReadBuffer(text.data(), std::int64_t(text.size() * 2));
  SetText(Node, MainColumnIndex(), text);
  return true;
}
