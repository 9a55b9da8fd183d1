// TCustomLazyStringTree: the text variant of the tree. Every cell shows a line
// (or, for multi-line nodes, a paragraph) of wide text that the owner gives in
// OnGetText, optionally followed by a "static" text; OnPaintText adjusts fonts
// and colours per cell and OnNewText takes edited text back.
#pragma once

#include <cstdint>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/BufferedString.h"
#include "controls/vtree/LazyTreeExport.h"
#include "controls/vtree/StringTreeOptions.h"
#include "platform/base/Utf.h"

enum TLSTTextType { ttNormal, ttStatic };


using TLSTGetTextEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column,
                                     TLSTTextType TextType, WideString& CellText)>;
using TLTPaintText =
    Method<void(TBaseLazyTree* Sender, TCanvas* TargetCanvas, PLazyNode Node, TColumnIndex Column, TLSTTextType TextType)>;
using TLSTNewTextEvent = Method<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column, WideString NewText)>;
using TLSTShortenStringEvent =
    Method<void(TBaseLazyTree* Sender, TCanvas* TargetCanvas, PLazyNode Node, TColumnIndex Column, const WideString& S,
                int TextSpace, bool RightToLeft, WideString& Result, bool& Done)>;

class TCustomLazyStringTree : public TBaseLazyTree {
public:
  explicit TCustomLazyStringTree(TComponent* AOwner);

  const WideString& DefaultText() const { return FDefaultText; }
  void SetDefaultText(const WideString& Value);
  TCustomStringTreeOptions* TreeOptions() const
  {
    return static_cast<TCustomStringTreeOptions*>(TBaseLazyTree::TreeOptions());
  }
  TLTStringOptions StringOptions() const { return TreeOptions()->StringOptions(); }
  void SetStringOptions(TLTStringOptions Value) { TreeOptions()->SetStringOptions(Value); }
  bool HasStringOption(TLTStringOption O) const { return StringOptions().Contains(O); }

  // The cell text: DefaultText handed to OnGetText. Fails for a nil node.
  WideString Text(PLazyNode Node, TColumnIndex Column);
  // The same, written into Into (whose block is reused).
  void CellText(PLazyNode Node, TColumnIndex Column, WideString& Into);
  // OnNewText, then the node is invalidated.
  void SetText(PLazyNode Node, TColumnIndex Column, const WideString& Value);
  // 2 x TextMargin plus the extent of Text in the font OnPaintText leaves on Canvas.
  int TextWidth(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, const WideString& Text);
  // Height of the tree font's text and the width of "..." (measured on WM_SETFONT).
  int FontTextHeight();
  // The height a multi-line node's text needs in the cell (widened over the
  // empty cells it spans), measured in the canvas's font; another node's
  // current height.
  int ComputeNodeHeight(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column);
  // OnIncrementalSearch's default: 0 when the node's text begins with Text (exactly), else 1.
  int CompareForSearch(PLazyNode Node, const WideString& Text);
  int DoIncrementalSearch(PLazyNode Node, const TSearchText& Text) override;
  // What the editor of a cell needs: the cell text, the rectangle of the
  // text (unclipped; the whole cell for multi-line nodes, sized to one line
  // otherwise) and the font OnPaintText chose, copied into Font.
  void GetTextInfo(PLazyNode Node, TColumnIndex Column, TFont* Font, TRect& R, WideString& Text);
  // OnCreateEditor first; without a link from it, the string edit link.
  std::shared_ptr<ILTEditLink> DoCreateEditor(PLazyNode Node, TColumnIndex Column) override;
  // The column of the node's caption (the stream's caption chunk).
  virtual TColumnIndex MainColumnIndex() const { return MainColumn(); }

  // Screen tools read the main-column text (UTF-8).
  std::string QueryNodeText(PLazyNode Node) override;
  // A tooltip shows the cell text; a node hint is what OnGetHint makes of the base rule's text.
  std::string HintTextOf(PLazyNode Node, TColumnIndex Column, bool Tooltip) override;
  void ApplyTooltipFont(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column) override;
  virtual void DoGetHint(PLazyNode Node, TColumnIndex Column, TLSTTextType TextType, WideString& Text);

  // "WideDefaultText" (stored when not "Node") and the old forms' "StringOptions" (read only).
  void DefineProperties(TFiler* Filer) override;

  void ReinitializeNode(PLazyNode Node, bool Recursive) override;
  // The cached widths were measured in the old main column.
  void MainColumnChanged() override;
  int DoGetNodeWidth(PLazyNode Node, TColumnIndex Column, TCanvas* Canvas) override;
  void DoPaintNode(TLtPaintInfo& PaintInfo) override;
  bool DoGetCellIsEmpty(PLazyNode Node, TColumnIndex Column) override;
  void WriteNodeCaption(TStream* Stream, PLazyNode Node) override;
  bool ReadSubChunk(TStream* Stream, int Version, PLazyNode Node, int ChunkType, int ChunkSize) override;

  virtual void DoGetText(PLazyNode Node, TColumnIndex Column, TLSTTextType TextType, WideString& Text);
  virtual void DoPaintText(PLazyNode Node, TCanvas* Canvas, TColumnIndex Column, TLSTTextType TextType);
  virtual void DoNewText(PLazyNode Node, TColumnIndex Column, const WideString& Text);
  virtual WideString DoShortenString(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, const WideString& S,
                                     int Width, bool RightToLeft);

  // --- content export (LazyStringTreeExport.cpp) ---
  std::vector<PLazyNode> NodesOfSource(TLTSTreeSource Source);
  // Lines of cells split by Separator (8-bit text is UTF-8).
  std::string ContentToText(TLTSTreeSource Source, char Separator);
  WideString ContentToUnicode(TLTSTreeSource Source, char16_t Separator);
  // An HTML table (UTF-8); a caption goes into the table's attributes.
  std::string ContentToHTML(TLTSTreeSource Source, const std::string& Caption = {});
  std::string ContentToRTF(TLTSTreeSource Source);
  // A clipboard block of a text format (with its terminating zero), or null
  // for a format the tree does not render.
  HGLOBAL ContentToClipboard(CLIPFORMAT Format, TLTSTreeSource Source);
  HRESULT RenderOLEData(const FORMATETC& FormatEtcIn, STGMEDIUM& Medium, bool ForClipboard) override;

  TLSTGetTextEvent OnGetText, OnGetHint;
  TLTPaintText OnPaintText;
  TLSTNewTextEvent OnNewText;
  TLSTShortenStringEvent OnShortenString;

protected:
  void WndProc(TMessage& Message) override;
  std::unique_ptr<TCustomLazyTreeOptions> CreateOptions() override;

private:
  void ReadDefaultTextProperty(TReader* Reader);
  void WriteDefaultTextProperty(TWriter* Writer);
  void ReadOldStringOptionsProperty(TReader* Reader);
  std::int32_t& CachedWidth(PLazyNode Node) { return *reinterpret_cast<std::int32_t*>(Node->Data(FWidthOffset)); }
  void ClearCachedWidths();
  void MeasureFont();
  void PaintNormalText(TLtPaintInfo& Info, const WideString& Text);
  // Runs OnPaintText (ttNormal) for a cell; answers whether it changed the canvas font.
  bool PaintTextChangedFont(PLazyNode Node, TCanvas* Canvas, TColumnIndex Column);
  void PaintStaticText(TLtPaintInfo& Info, const WideString& Text);
  // Canvas colour for selected cells, as the selection would paint them.
  void ApplySelectionColor(TLtPaintInfo& Info);
  void DrawCellText(TCanvas* Canvas, const WideString& Text, TRect R, UINT Flags);
  // The HTML table and the RTF document in chunks, for the strings above and
  // for the clipboard blocks.
  TBufferedString HtmlTable(TLTSTreeSource Source, const std::string& Caption);
  TBufferedString RtfDocument(TLTSTreeSource Source);

  WideString FDefaultText = u"Node";
  WideString FSearchCell;  // the cell text a search compares
  std::size_t FWidthOffset = 0;
  int FTextHeight = 0;
  int FEllipsisWidth = 0;
};

// The published class, the one of the host's contact list.
class TLazyStringTree : public TCustomLazyStringTree {
public:
  explicit TLazyStringTree(TComponent* AOwner);

protected:
  std::unique_ptr<TCustomLazyTreeOptions> CreateOptions() override;
};
