#include "controls/html/document/BlockBox.h"

#include <algorithm>

void TBlockBox::Take(const TMarginArray& M)
{
  std::copy(M.begin() + FirstBoxProp, M.begin() + LastBoxProp + 1, FValues.begin());
}
