// THtmlView: the selection as text and as HTML, copying it to the clipboard
// (so another program can paste either) and finding text.
#include <algorithm>
#include <cstdio>

#include <cstring>

#include "controls/html/document/SectionList.h"
#include "controls/html/viewer/DocumentWalk.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/html/viewer/PaintPanel.h"
#include "platform/base/Utf.h"
#include "platform/win/win.h"

namespace {

// Case folding for finding: ASCII and the Latin-1 letters.
char16_t Fold(char16_t C)
{
  if ((C >= u'A' && C <= u'Z') || (C >= 0xC0 && C <= 0xDE && C != 0xD7))
    return char16_t(C + 0x20);
  return C;
}

HGLOBAL BlockOf(const void* Data, std::size_t Size)
{
  HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE, Size);
  if (!Block)
    return nullptr;
  if (void* P = GlobalLock(Block)) {
    std::memcpy(P, Data, Size);
    GlobalUnlock(Block);
  }
  return Block;
}

}  // namespace

// An "HTML Format" block: the header with the offsets of the document and
// of the fragment, then the document around the fragment.
std::string HtmlClipboardBlock(const std::string& Fragment)
{
  const std::string Before = "<html><body>\r\n<!--StartFragment-->";
  const std::string After = "<!--EndFragment-->\r\n</body></html>";
  const char* Layout = "Version:0.9\r\nStartHTML:%010zu\r\nEndHTML:%010zu\r\nStartFragment:%010zu\r\nEndFragment:%010zu\r\n";
  char Header[160];
  const std::size_t HeaderSize = std::size_t(std::snprintf(Header, sizeof Header, Layout, std::size_t(0), std::size_t(0),
                                                           std::size_t(0), std::size_t(0)));
  const std::size_t StartHtml = HeaderSize, StartFragment = StartHtml + Before.size(),
                    EndFragment = StartFragment + Fragment.size(), EndHtml = EndFragment + After.size();
  std::snprintf(Header, sizeof Header, Layout, StartHtml, EndHtml, StartFragment, EndFragment);
  return std::string(Header) + Before + Fragment + After;
}

int THtmlView::SelStart() const { return FSectionList->SelStart; }

int THtmlView::SelLength() const
{
  const TSectionList& Doc = *FSectionList;
  return Doc.SelEnd > Doc.SelStart ? Doc.SelEnd - Doc.SelStart : 0;
}

void THtmlView::SetSelection(int Start, int Length)
{
  TSectionList& Doc = *FSectionList;
  Doc.SelStart = std::max(0, Start);
  Doc.SelEnd = Doc.SelStart + std::max(0, Length);
  FCaretPos = Doc.SelEnd;
  Doc.CaretPos = FCaretPos;
  FPaintPanel->Invalidate();
}

void THtmlView::SelectAll()
{
  std::u16string Text;
  CollectText(*FSectionList, Text);
  SetSelection(0, int(Text.size()));
}

std::u16string THtmlView::SelText()
{
  TSectionList& Doc = *FSectionList;
  Doc.CopyBuffer.clear();
  if (Doc.SelEnd > Doc.SelStart)
    Doc.CopySelection();
  std::u16string Result = std::move(Doc.CopyBuffer);
  Doc.CopyBuffer.clear();
  return Result;
}

std::string THtmlView::SelHtml()
{
  TSectionList& Doc = *FSectionList;
  if (Doc.SelEnd <= Doc.SelStart)
    return std::string();
  int From = Doc.DocToSource(Doc.SelStart);
  int To = Doc.DocToSource(Doc.SelEnd - 1);
  if (From < 0 || To < 0 || FFileType != 0)
    return UTF8Encode(SelText());
  const std::string& Src = DocumentSource();
  std::size_t A = std::min(std::size_t(From), Src.size()), B = std::min(std::size_t(To) + 1, Src.size());
  if (B < A)
    std::swap(A, B);
  // A UTF-8 character is taken whole.
  while (B < Src.size() && (static_cast<unsigned char>(Src[B]) & 0xC0) == 0x80)
    ++B;
  // An entity cut at its end is taken whole.
  if (std::size_t Amp = Src.rfind('&', B); Amp != std::string::npos && Amp >= A && Src.find(';', Amp) != std::string::npos &&
                                            Src.find(';', Amp) - Amp < 12 && Src.find(';', Amp) >= B)
    B = Src.find(';', Amp) + 1;
  return Src.substr(A, B - A);
}

void THtmlView::CopyToClipboard()
{
  const std::u16string Text = SelText();
  if (Text.empty())
    return;
  if (!OpenClipboard(Handle()))
    return;
  EmptyClipboard();
  if (HGLOBAL T = BlockOf(Text.c_str(), (Text.size() + 1) * sizeof(char16_t)))
    SetClipboardData(CF_UNICODETEXT, T);
  const std::string Html = HtmlClipboardBlock(SelHtml());
  if (HGLOBAL H = BlockOf(Html.c_str(), Html.size() + 1))
    SetClipboardData(RegisterClipboardFormat("HTML Format"), H);
  CloseClipboard();
}

bool THtmlView::Find(const std::u16string& S, bool MatchCase, bool Backwards)
{
  if (S.empty())
    return false;
  std::u16string Text;
  CollectText(*FSectionList, Text);
  std::u16string Needle = S;
  if (!MatchCase) {
    std::transform(Text.begin(), Text.end(), Text.begin(), Fold);
    std::transform(Needle.begin(), Needle.end(), Needle.begin(), Fold);
  }
  TSectionList& Doc = *FSectionList;
  std::size_t At;
  if (Backwards) {
    const int From = (Doc.SelEnd > Doc.SelStart ? Doc.SelStart : FCaretPos) - 1;
    At = From < 0 ? std::u16string::npos : Text.rfind(Needle, std::size_t(From));
  } else {
    const int From = Doc.SelEnd > Doc.SelStart ? Doc.SelEnd : std::max(0, FCaretPos);
    At = Text.find(Needle, std::size_t(From));
  }
  if (At == std::u16string::npos)
    return false;
  SetSelection(int(At), int(Needle.size()));
  int X = 0, Y = 0;
  if (Doc.PositionPoint(int(At), X, Y) && (Y < GetVScrollPos() || Y + 20 > GetVScrollPos() + PanelHeight()))
    SetVScrollPos(Y - PanelHeight() / 2);
  return true;
}
