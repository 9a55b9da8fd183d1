#include "controls/html/document/FontPool.h"

#include <functional>

namespace {

std::size_t HashOf(const TMyFont& F)
{
  std::size_t H = std::hash<std::string>{}(F.Name);
  for (long long V : {(long long)F.Height, (long long)F.Style.ToInteger(), (long long)F.Color, (long long)F.CharSet,
                      (long long)F.bgColor, (long long)F.CharExtra})
    H = H * 1000003u ^ std::hash<long long>{}(V);
  return H;
}

}  // namespace

bool SameFont(const TMyFont& A, const TMyFont& B)
{
  return A.Name == B.Name && A.Height == B.Height && A.Style == B.Style && A.Color == B.Color &&
         A.CharSet == B.CharSet && A.bgColor == B.bgColor && A.tmHeight == B.tmHeight && A.tmAscent == B.tmAscent &&
         A.tmInternalLeading == B.tmInternalLeading && A.tmAveCharWidth == B.tmAveCharWidth && A.tmDescent == B.tmDescent &&
         A.tmExternalLeading == B.tmExternalLeading && A.tmMaxCharWidth == B.tmMaxCharWidth &&
         A.tmCharset == B.tmCharset && A.CharExtra == B.CharExtra;
}

std::shared_ptr<const TMyFont> TFontPool::Intern(const TMyFont& Font)
{
  if (auto* Recent = FRecent.Find([&](const auto& Kept) { return SameFont(*Kept, Font); }))
    return *Recent;
  const std::size_t H = HashOf(Font);
  auto [First, Last] = FFonts.equal_range(H);
  auto It = First;
  while (It != Last && !SameFont(*It->second, Font))
    ++It;
  const auto& Found = It != Last ? It->second : FFonts.emplace(H, std::make_shared<const TMyFont>(Font))->second;
  return FRecent.Remember(Found);
}
