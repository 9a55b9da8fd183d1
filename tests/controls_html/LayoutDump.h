// The layout of a document as text: for every section, blocks' content
// included, where it starts in the text and where layout placed it. Two
// documents laid out alike give the same text.
#pragma once

#include <cstddef>
#include <sstream>
#include <string>

#include "controls/html/document/Block.h"
#include "controls/html/document/SectionList.h"

inline void DumpCellLayout(const TCellBasic& Cell, std::ostringstream& Out, int Depth)
{
  for (const auto& S : Cell.Sections) {
    Out << Depth << ' ' << S->StartPos << ' ' << S->CharCount << ' ' << S->TopY << ' ' << S->PaintTop << ' '
        << S->PaintBottom << ' ' << S->ContentHeight << '\n';
    if (const TBlock* B = AsBlock(S.get())) {
      Out << " box " << B->ContentLeft << ' ' << B->ContentTop << ' ' << B->ContentBot << ' ' << B->NewWidth;
      for (std::size_t I = FirstBoxProp; I <= std::size_t(LastBoxProp); ++I)
        Out << ' ' << B->MargArray[I];
      Out << '\n';
      DumpCellLayout(*B->MyCell, Out, Depth + 1);
    }
  }
}

inline std::string DocumentLayoutDump(const TSectionList& Doc)
{
  std::ostringstream Out;
  Out << "height " << Doc.DocHeight << " width " << Doc.DocMaxWidth << " length " << Doc.DocLength << " links "
      << Doc.LinkList.size() << " many " << Doc.ManyLinks << " inline " << Doc.InlineList.size() << " ids "
      << Doc.IdNames.size() << " anim " << Doc.AnimList.size() << " title " << Doc.Title.size() << '\n';
  DumpCellLayout(Doc, Out, 0);
  return Out.str();
}
