#include "controls/html/viewer/DocumentWalk.h"

#include <algorithm>

#include "controls/html/document/Block.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"

const TSectionBase* LeafAt(const TCellBasic& Cell, int Pos)
{
  for (const auto& S : Cell.Sections) {
    if (Pos < S->StartPos || Pos >= S->StartPos + S->CharCount)
      continue;
    if (auto* B = dynamic_cast<const TBlock*>(S.get()); B && B->MyCell)
      if (const TSectionBase* Inner = LeafAt(*B->MyCell, Pos))
        return Inner;
    return S.get();
  }
  return nullptr;
}

void CollectText(const TCellBasic& Cell, std::u16string& Out)
{
  for (const auto& S : Cell.Sections) {
    if (auto* B = dynamic_cast<const TBlock*>(S.get()); B && B->MyCell) {
      CollectText(*B->MyCell, Out);
    } else if (auto* T = dynamic_cast<const TSection*>(S.get())) {
      if (T->StartPos < 0)
        continue;
      const std::size_t End = std::size_t(T->StartPos) + T->Text.size();
      if (Out.size() < End)
        Out.resize(End, u'\0');
      std::copy(T->Text.begin(), T->Text.end(), Out.begin() + T->StartPos);
    }
  }
}

std::vector<int> FlowTops(TSectionList& Doc)
{
  std::vector<int> Tops;
  const TCellBasic* Flow = &Doc;
  if (Doc.Sections.size() == 1)
    if (auto* Body = dynamic_cast<TBlock*>(Doc.Sections.front().get()); Body && Body->MyCell)
      Flow = Body->MyCell.get();
  for (const auto& S : Flow->Sections)
    if (Tops.empty() || S->TopY >= Tops.back())
      Tops.push_back(S->TopY);
  return Tops;
}
