#include "controls/themes/TBWShadows.h"

#include "controls/themes/TBWStockObjects.h"

TShadows::TShadows(const TRect& ParentRect, const TRect& PopupRect, int Size, BYTE Opacity, bool LowColor)
{
  const TThemeOptionalFunctions& functions = OptionalFunctions();
  const int size =
      ShadowSize(Size, LowColor, functions.UpdateLayeredWindow != nullptr, functions.AlphaBlend != nullptr);
  const TShadowPieces pieces = CutShadow(ParentRect, PopupRect, size);
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (!pieces[i])
      continue;
    const TShadowPiece& piece = *pieces[i];
    if (piece.Vertical)
      FPieces[i] = std::make_unique<TVertShadow>(piece.Bounds, Opacity, LowColor, piece.Edges);
    else
      FPieces[i] = std::make_unique<THorzShadow>(piece.Bounds, Opacity, LowColor, piece.Edges);
  }
  for (const auto& piece : FPieces)
    if (piece)
      piece->Render();
  for (const auto& piece : FPieces)
    if (piece)
      piece->SetSaveBits(true);
  FSaveBits = true;
}

TShadows::~TShadows()
{
  for (auto piece = FPieces.rbegin(); piece != FPieces.rend(); ++piece)
    piece->reset();
}

void TShadows::Show(HWND Window)
{
  for (const auto& piece : FPieces)
    if (piece)
      piece->ShowBelow(Window);
}
