// The text tree's renderings of its nodes: separated text (8-bit and wide),
// an HTML table, an RTF table, and the clipboard blocks made from them.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

#include "controls/vtree/BufferedString.h"
#include "controls/vtree/LazyStringTree.h"
#include "controls/vtree/LazyTreeClipboardFormats.h"
#include "controls/vtree/LazyTreeColumns.h"
#include "controls/vtree/LazyTreeExport.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/base/FormatSettings.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/window/Clipboard.h"

namespace {

// The columns an export walks: the visible ones by position, or the one
// implicit column -1 without columns.
struct TExportColumns {
  std::vector<TColumnIndex> Columns;
  TColumnIndex Main = NoColumn;
  bool Real = false;
};

TExportColumns ColumnsOf(TCustomLazyStringTree& Tree)
{
  TExportColumns c;
  c.Real = Tree.UseColumns();
  if (c.Real) {
    c.Columns = Tree.Header().Columns().VisibleColumns();
    c.Main = Tree.MainColumn();
  } else {
    c.Columns = {NoColumn};
  }
  return c;
}

std::string Repeat(const std::string& S, unsigned Count)
{
  std::string r;
  for (unsigned i = 0; i < Count; ++i)
    r += S;
  return r;
}

std::string Number(long long Value) { return std::to_string(Value); }

// One UTF-16 unit as RTF writes it: its signed 16-bit value, then "?" for
// readers without Unicode.
void AppendRtfUnit(std::string& Out, char16_t Unit)
{
  char digits[8];
  auto end = std::to_chars(digits, digits + sizeof digits, int(std::int16_t(Unit))).ptr;
  Out += "\\u";
  Out.append(digits, end);
  Out += "\\'3f";
}

// A font's look as the renderings compare it.
struct TFontFace {
  std::string Name;
  int Size = 0;
  TFontStyles Style;
  TColor Color = TColor(0);
  explicit TFontFace(const TFont* F) : Name(F->Name()), Size(F->Size()), Style(F->Style()), Color(F->Color()) {}
  bool operator==(const TFontFace& O) const
  {
    return Name == O.Name && Size == O.Size && Style == O.Style && Color == O.Color;
  }
};

// A name in a CSS rule sits between double quotes in raw style text, where
// nothing can be escaped: the characters that would end it are left out.
std::string CssFontName(const std::string& Name)
{
  std::string out;
  for (char c : Name)
    if (c != '"' && c != '<' && c != '>' && c != '\\')
      out.push_back(c);
  return out;
}

std::string FontRuleBody(const TFontFace& F, const char* Quote)
{
  std::string s;
  if (F.Style.Contains(fsUnderline))
    s += " underline";
  if (F.Style.Contains(fsItalic))
    s += " italic";
  if (F.Style.Contains(fsBold))
    s += " bold";
  s += " " + Number(F.Size) + "pt " + Quote + CssFontName(F.Name) + Quote + ";color:" + ColorToHex(F.Color) + ";}";
  return s;
}

bool RightToLeft(TBiDiMode Mode) { return Mode != bdLeftToRight; }

TAlignment Mirrored(TAlignment A, bool RTL)
{
  if (!RTL)
    return A;
  return A == taLeftJustify ? taRightJustify : A == taRightJustify ? taLeftJustify : A;
}

}  // namespace

std::vector<PLazyNode> TCustomLazyStringTree::NodesOfSource(TLTSTreeSource Source)
{
  std::vector<PLazyNode> nodes;
  switch (Source) {
    case tstAll:
      for (PLazyNode n = FirstTopLevelNode(); n; n = NextNode(n))
        nodes.push_back(n);
      break;
    case tstInitialized:
      for (PLazyNode n = FirstInitializedNode(); n; n = NextInitializedNode(n))
        nodes.push_back(n);
      break;
    case tstSelected:
      for (PLazyNode n = FirstSelectedNode(); n; n = NextSelectedNode(n))
        nodes.push_back(n);
      break;
    case tstCutCopySet:
      for (PLazyNode n = FirstClipMarkedNode(); n; n = NextClipMarkedNode(n))
        nodes.push_back(n);
      break;
    case tstVisible:
      for (PLazyNode n = FirstVisibleNode(); n; n = NextVisibleNode(n))
        nodes.push_back(n);
      break;
  }
  return nodes;
}

namespace {

unsigned MaxLevel(TBaseLazyTree& Tree, const std::vector<PLazyNode>& Nodes)
{
  unsigned m = 0;
  for (PLazyNode n : Nodes)
    m = std::max(m, Tree.NodeLevel(n));
  return m;
}

// The separated-text lines in either width.
template <class String>
TBasicBufferedString<typename String::value_type> SeparatedText(TCustomLazyStringTree& Tree, TLTSTreeSource Source, typename String::value_type Separator,
                     String (*Convert)(const WideString&))
{
  using Char = typename String::value_type;
  std::vector<PLazyNode> nodes = Tree.NodesOfSource(Source);
  unsigned m = MaxLevel(Tree, nodes);
  TExportColumns cols = ColumnsOf(Tree);
  const String sep(1, Separator);
  auto repeat = [&](unsigned n) {
    String r;
    for (unsigned i = 0; i < n; ++i)
      r += sep;
    return r;
  };
  TBasicBufferedString<Char> buffer;
  if (cols.Real) {
    for (std::size_t i = 0; i < cols.Columns.size(); ++i) {
      TColumnIndex c = cols.Columns[i];
      buffer.Add(Convert(Tree.Header().Columns().Item(c)->Text()));
      if (i + 1 < cols.Columns.size()) {
        if (c == cols.Main)
          buffer.Add(repeat(m));
        buffer.Add(sep);
      }
    }
    buffer.AddNewLine();
  }
  for (PLazyNode node : nodes) {
    unsigned level = Tree.NodeLevel(node);
    if (!cols.Real) {
      buffer.Add(repeat(level) + Convert(Tree.Text(node, NoColumn)));
      buffer.AddNewLine();
      continue;
    }
    for (std::size_t i = 0; i < cols.Columns.size(); ++i) {
      TColumnIndex c = cols.Columns[i];
      String text = QuoteCell(Convert(Tree.Text(node, c)), Separator);
      if (c == cols.Main)
        text = repeat(level) + text + repeat(m - level);
      buffer.Add(text);
      if (i + 1 < cols.Columns.size())
        buffer.Add(sep);
    }
    buffer.AddNewLine();
  }
  return buffer;
}

std::string ToUtf8(const WideString& S) { return WideToUtf8Dropping(S); }
WideString AsWide(const WideString& S) { return S; }

}  // namespace

std::string TCustomLazyStringTree::ContentToText(TLTSTreeSource Source, char Separator)
{
  return SeparatedText<std::string>(*this, Source, Separator, &ToUtf8).AsString();
}

WideString TCustomLazyStringTree::ContentToUnicode(TLTSTreeSource Source, char16_t Separator)
{
  return SeparatedText<WideString>(*this, Source, Separator, &AsWide).AsString();
}

// The cell font: the tree's font as OnPaintText leaves it for the cell.
TFontFace CellFont(TCustomLazyStringTree& Tree, PLazyNode Node, TColumnIndex Column, bool& Changed)
{
  TFont* font = Tree.Canvas()->Font();
  font->Assign(Tree.Font());
  TFontFace before(font);
  Tree.DoPaintText(Node, Tree.Canvas(), Column, ttNormal);
  TFontFace after(font);
  Changed = !(after == before);
  return after;
}

std::string TCustomLazyStringTree::ContentToHTML(TLTSTreeSource Source, const std::string& Caption)
{
  return HtmlTable(Source, Caption).AsString();
}

TBufferedString TCustomLazyStringTree::HtmlTable(TLTSTreeSource Source, const std::string& Caption)
{
  std::vector<PLazyNode> nodes = NodesOfSource(Source);
  unsigned m = MaxLevel(*this, nodes);
  TExportColumns cols = ColumnsOf(*this);
  const std::string padding =
      "padding-left:" + Number(Margin()) + "px;padding-right:" + Number(Margin()) + "px;";
  std::string attributes = " ";
  if (!Caption.empty())
    attributes += "caption=\"" + HtmlEscape(Caption) + "\"";
  if (BorderStyle() != bsNone)
    attributes += "border=\"" + Number(BorderWidth() + 1) + "\" frame=box";
  const std::string lineStyle = LineStyle() == lsSolid ? "solid;" : "dotted;";
  bool horz = HasPaintOption(toShowHorzGridLines), vert = HasPaintOption(toShowVertGridLines);

  TBufferedString out;
  auto line = [&](const std::string& S) {
    out.Add(S);
    out.AddNewLine();
  };
  line("<style type=\"text/css\">");
  line(".default{font:" + FontRuleBody(TFontFace(Font()), "\""));
  line(".header{font:" + FontRuleBody(TFontFace(&Header().Font()), "\""));
  line(std::string(horz ? ".noborder{border-style:" + lineStyle + " border-bottom:1;border-left:0;border-right:0; border-top:0;"
                        : ".noborder{border-style:none;") +
       padding + "}");
  line(".normalborder {border-top:none; border-left:none; " +
       (vert ? "border-right:1 " + lineStyle : std::string("border-right:none;")) +
       (horz ? "border-bottom:1 " + lineStyle : std::string("border-bottom:none;")) + padding + "}");
  line("</style>");
  line("<table class=\"default\" bgcolor=" + ColorToHex(Color()) + attributes +
       " cellspacing=\"0\" cellpadding=" + Number(Margin()) + ">");

  auto dirAlign = [&](TAlignment A, TBiDiMode B) {
    bool rtl = RightToLeft(B);
    std::string s = rtl ? " dir=\"rtl\"" : "";
    switch (Mirrored(A, rtl)) {
      case taRightJustify: s += " align=right"; break;
      case taCenter: s += " align=center"; break;
      default: s += " align=left"; break;
    }
    return s;
  };
  if (cols.Real) {
    line("<tr class=\"header\" style=\"" + padding + "\">");
    for (TColumnIndex c : cols.Columns) {
      TLazyTreeColumn* col = Header().Columns().Item(c);
      std::string cell = "<th height=\"" + Number(Header().Height()) + "px\"" + dirAlign(col->Alignment(), col->BiDiMode());
      if (c == cols.Main && m > 0)
        cell += " colspan=\"" + Number(m + 1) + "\"";
      cell += " bgcolor=" + ColorToHex(clBtnFace) + " width=\"" + Number(col->Width()) + "px\">" +
              HtmlEscape(WideToUtf8Dropping(col->Text())) + "</th>";
      out.Add(cell);
    }
    line("</tr>");
  }
  for (PLazyNode node : nodes) {
    unsigned level = NodeLevel(node);
    std::string height = Number(node->NodeHeight);
    line(" <tr class=\"default\">");
    for (TColumnIndex c : cols.Columns) {
      TLazyTreeColumn* col = cols.Real ? Header().Columns().Item(c) : nullptr;
      bool parentColor = !col || col->Options().Contains(coParentColor);
      bool changed = false;
      TFontFace face = CellFont(*this, node, c, changed);
      std::string cells;
      if (c == cols.Main) {
        for (unsigned i = 0; i < level; ++i) {
          if (parentColor)
            cells += i == 0 ? " <td height=\"" + height + "px\">&nbsp;</td>" : std::string(" <td>&nbsp;</td>");
          else
            cells += "<td class=\"noborder\" width=\"" + Number(Indent()) + "\" height=\"" + height +
                     "px\" bgcolor=" + ColorToHex(col->Color()) + ">&nbsp;</td>";
        }
      }
      // The inline rule is an attribute value: its quotes are written as entities.
      cells += changed ? " <td class=\"normalborder\"  style=\"{font:" + FontRuleBody(face, "&quot;") + "\" height=\""
                       : std::string(" <td class=\"normalborder\"  height=\"");
      cells += height + "px\"";
      cells += col ? dirAlign(col->Alignment(), col->BiDiMode()) : dirAlign(Alignment(), BiDiMode());
      if (c == cols.Main && m > 0 && level < m)
        cells += " colspan=\"" + Number(m - level + 1) + "\"";
      if (cols.Real && !parentColor)
        cells += " bgcolor=" + ColorToHex(col->Color());
      cells += ">" + HtmlEscape(WideToUtf8Dropping(Text(node, c))) + "</td>";
      out.Add(cells);
    }
    line(" </tr>");
  }
  out.Add("</table>");
  Canvas()->Font()->Assign(Font());
  return out;
}

std::string TCustomLazyStringTree::ContentToRTF(TLTSTreeSource Source) { return RtfDocument(Source).AsString(); }

TBufferedString TCustomLazyStringTree::RtfDocument(TLTSTreeSource Source)
{
  std::vector<PLazyNode> nodes = NodesOfSource(Source);
  TExportColumns cols = ColumnsOf(*this);
  std::vector<std::string> fonts;
  std::vector<COLORREF> colors;
  int currentFont = -1, currentColor = -1, currentSize = -1;

  auto textWithFont = [&](const WideString& Text, const TFontFace& F) {
    if (Text.empty())
      return std::string();
    std::string s;
    if (F.Style.Contains(fsUnderline))
      s += "\\ul";
    if (F.Style.Contains(fsItalic))
      s += "\\i";
    if (F.Style.Contains(fsBold))
      s += "\\b";
    auto f = std::find(fonts.begin(), fonts.end(), F.Name);
    int fontIndex = int(f - fonts.begin());
    if (f == fonts.end())
      fonts.push_back(F.Name);
    if (fontIndex != currentFont) {
      currentFont = fontIndex;
      s += "\\f" + Number(fontIndex);
    }
    COLORREF rgb = ColorToRGB(F.Color);
    auto k = std::find(colors.begin(), colors.end(), rgb);
    int colorIndex = int(k - colors.begin());
    if (k == colors.end())
      colors.push_back(rgb);
    if (colorIndex != currentColor) {
      currentColor = colorIndex;
      s += "\\cf" + Number(colorIndex + 1);
    }
    if (F.Size != currentSize) {
      currentSize = F.Size;
      s += "\\fs" + Number(2 * F.Size);
    }
    s += " ";
    for (char16_t unit : Text)
      AppendRtfUnit(s, unit);
    if (F.Style.Contains(fsUnderline))
      s += "\\ul0";
    if (F.Style.Contains(fsItalic))
      s += "\\i0";
    if (F.Style.Contains(fsBold))
      s += "\\b0";
    return s;
  };
  auto alignment = [&](TAlignment A, TBiDiMode B) {
    switch (Mirrored(A, RightToLeft(B))) {
      case taRightJustify: return std::string("\\qr");
      case taCenter: return std::string("\\qc");
      default: return std::string();
    }
  };

  TBufferedString body;
  body.Add("\\uc1\\trowd\\trgaph70");
  int ppi = Screen()->PixelsPerInch();
  if (cols.Real) {
    long long right = 0;
    for (TColumnIndex c : cols.Columns) {
      right += Header().Columns().Item(c)->Width();
      body.Add("\\cellx" + Number(std::llround(double(right) * 1440.0 / ppi)));
    }
    body.Add("\\pard\\intbl");
    for (TColumnIndex c : cols.Columns) {
      TLazyTreeColumn* col = Header().Columns().Item(c);
      body.Add(alignment(col->Alignment(), col->BiDiMode()));
      body.Add(textWithFont(col->Text(), TFontFace(&Header().Font())));
      body.Add("\\cell");
    }
    body.Add("\\row");
  } else {
    body.Add("\\cellx" + Number(std::llround(double(HandleAllocated() ? ClientWidth() : Width()) * 1440.0 / ppi)));
  }
  for (PLazyNode node : nodes) {
    unsigned level = NodeLevel(node);
    for (TColumnIndex c : cols.Columns) {
      TLazyTreeColumn* col = cols.Real ? Header().Columns().Item(c) : nullptr;
      body.Add("\\pard\\intbl");
      body.Add(col ? alignment(col->Alignment(), col->BiDiMode()) : alignment(Alignment(), BiDiMode()));
      bool changed = false;
      TFontFace face = CellFont(*this, node, c, changed);
      if (c == cols.Main && level >= 1)
        body.Add(Repeat("\\tab", level) + " ");
      body.Add(textWithFont(Text(node, c), face));
      body.Add("\\cell");
    }
    body.Add("\\row");
  }
  body.Add("\\pard\\par");
  Canvas()->Font()->Assign(Font());

  std::string doc = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1043{\\fonttbl";
  for (std::size_t i = 0; i < fonts.size(); ++i)
    doc += "{\\f" + Number(static_cast<long long>(i)) + " " + RtfEscapeName(fonts[i]) + ";}";
  doc += "}{\\colortbl;";
  for (COLORREF c : colors)
    doc += "\\red" + Number(c & 0xFF) + "\\green" + Number((c >> 8) & 0xFF) + "\\blue" + Number((c >> 16) & 0xFF) + ";";
  doc += "}";
  body.Prepend(std::move(doc));
  body.Add("}");
  return body;
}

namespace {

// A rendering and its terminating zero, copied straight from its chunks.
template <class Char>
HGLOBAL TextBlock(const TBasicBufferedString<Char>& Text)
{
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, (Text.Size() + 1) * sizeof(Char));
  if (!block)
    return nullptr;
  if (void* p = GlobalLock(block)) {
    Text.CopyTo(static_cast<Char*>(p));
    GlobalUnlock(block);
  }
  return block;
}

}  // namespace

HGLOBAL TCustomLazyStringTree::ContentToClipboard(CLIPFORMAT Format, TLTSTreeSource Source)
{
  if (Format == CF_TEXT)
    return TextBlock(SeparatedText<std::string>(*this, Source, '\t', &ToUtf8));
  if (Format == CF_UNICODETEXT)
    return TextBlock(SeparatedText<WideString>(*this, Source, u'\t', &AsWide));
  if (Format == CF_CSV && CF_CSV)
    return TextBlock(SeparatedText<std::string>(*this, Source, FormatSettings.ListSeparator, &ToUtf8));
  if ((Format == CF_RTF || Format == CF_RTFNOOBJS) && Format)
    return TextBlock(RtfDocument(Source));
  if (Format == CF_HTML && CF_HTML) {
    TBufferedString html = HtmlTable(Source, {});
    THtmlFragmentFrame frame = HtmlFragmentFrame(html.Size());
    html.Prepend(std::move(frame.Head));
    html.Add(frame.Tail);
    return TextBlock(html);
  }
  return nullptr;
}

HRESULT TCustomLazyStringTree::RenderOLEData(const FORMATETC& FormatEtcIn, STGMEDIUM& Medium, bool ForClipboard)
{
  CLIPFORMAT f = FormatEtcIn.cfFormat;
  bool text = f == CF_TEXT || f == CF_UNICODETEXT || (f && (f == CF_CSV || f == CF_RTF || f == CF_RTFNOOBJS || f == CF_HTML));
  if (!text || !(FormatEtcIn.tymed & TYMED_HGLOBAL))
    return TBaseLazyTree::RenderOLEData(FormatEtcIn, Medium, ForClipboard);
  HGLOBAL block = ContentToClipboard(f, ForClipboard ? tstCutCopySet : tstSelected);
  if (!block)
    return E_FAIL;
  Medium.tymed = TYMED_HGLOBAL;
  Medium.hGlobal = block;
  Medium.pUnkForRelease = nullptr;
  return S_OK;
}
