#include "ChatViewer.h"

#include "ChatDocument.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/html/viewer/PaintPanel.h"

void ApplyChatViewerSettings(THtmlView& Viewer, const std::string& SmileyDir)
{
  Viewer.SetDefBackground(clWhite);
  Viewer.SetScrollBars(ssVertical);
  Viewer.SetDefFontColor(clBlack);
  ApplyChatDocumentRules(Viewer.SectionList(), SmileyDir);
}

int DocumentPositionOf(TSectionList& Doc, const std::u16string& Word)
{
  const int End = Doc.Sections.empty() ? 0 : Doc.Sections.back()->StartPos + Doc.Sections.back()->CharCount;
  for (int P = 0; P < End; ++P) {
    bool Match = true;
    for (std::size_t I = 0; I < Word.size() && Match; ++I) {
      char16_t C = 0;
      Match = Doc.CharAt(P + int(I), C) && C == Word[I];
    }
    if (Match)
      return P;
  }
  return -1;
}

TPoint ScreenPointOf(THtmlView& Viewer, int Pos)
{
  int X = 0, Y = 0;
  Viewer.SectionList().CaretPoint(Pos, X, Y);
  return Viewer.PaintPanel()->ClientToScreen(
      TPoint(X + 1 - Viewer.HScrollPos(), Y + 2 - Viewer.SectionList().YOff));
}
