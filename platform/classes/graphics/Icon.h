// TIcon: an icon of the drawing layer, read from and written to ".ico" data.
// The data read is kept and written back unchanged; an icon set by handle is
// written as one 32-bit entry with its mask.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/classes/graphics/Graphic.h"

class TIcon : public TGraphic {
public:
  TIcon();
  ~TIcon() override;
  TIcon(const TIcon&) = delete;
  TIcon& operator=(const TIcon&) = delete;

  void Assign(TPersistent* Source) override;
  // The icon stretched into Rect.
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  bool Empty() const override { return FHandle == nullptr; }
  int Width() const override;
  int Height() const override;
  // Only an empty icon takes a size: the size of the entry to read next
  // (0: the largest); an icon's own size cannot change.
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  // Reads the rest of the stream (at most 16 MiB) as ".ico" data.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  TGraphic* NewInstance() const override { return new TIcon; }

  HICON Handle() const { return FHandle; }
  // The icon owns the handle from then on.
  void SetHandle(HICON Value);
  HICON ReleaseHandle();

private:
  HICON FHandle = nullptr;
  std::vector<std::uint8_t> FData;
  int FRequestedSize = 0;
};
