// TCustomImageList: a component over an image list of the drawing layer:
// images of one size with their masks, drawn normally, with a drawing style,
// or greyed as disabled. Objects showing the list register a TChangeLink to
// hear of every change; changes made between BeginUpdate and EndUpdate are
// announced once.
#pragma once

#include <vector>

#include "platform/base/Types.h"
#include "platform/classes/components/Component.h"
#include "platform/classes/graphics/GraphicsTypes.h"

class TStream;

class TCustomImageList : public TComponent {
public:
  explicit TCustomImageList(TComponent* AOwner);
  TCustomImageList(TComponent* AOwner, int AWidth, int AHeight);
  ~TCustomImageList() override;

  void Assign(TPersistent* Source) override;

  // Answer the index of the first image added (-1 on failure).
  int Add(TBitmap* Image, TBitmap* Mask);
  // The pixels of MaskColor become transparent (clNone: no mask).
  int AddMasked(TBitmap* Image, TColor MaskColor);
  // EInvalidOperation for an icon smaller than the list's images.
  int AddIcon(TIcon* Image);
  // EInvalidOperation when the index is not in the list.
  void Replace(int Index, TBitmap* Image, TBitmap* Mask);
  void ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor);
  void ReplaceIcon(int Index, TIcon* Image);
  // Index -1 removes every image; EInvalidOperation past the end.
  void Delete(int Index);
  void Clear();
  int Count() const;
  bool Overlay(int ImageIndex, int Overlay);

  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle, TImageType AImageType,
            bool Enabled = true);
  void DrawOverlay(TCanvas* Canvas, int X, int Y, int ImageIndex, int Overlay, bool Enabled = true);
  // The image drawn on Image, sized to the list's images; false for a bad index.
  bool GetBitmap(int Index, TBitmap* Image);
  void GetIcon(int Index, TIcon* Image);

  HIMAGELIST Handle();
  // Takes another list of the layer (freeing the old one unless ShareImages).
  void SetHandle(HIMAGELIST Value);
  bool HandleAllocated() const { return FHandle != nullptr; }
  bool ShareImages() const { return FShareImages; }
  void SetShareImages(bool Value) { FShareImages = Value; }

  int Width() const { return FWidth; }
  void SetWidth(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int AllocBy() const { return FAllocBy; }
  void SetAllocBy(int Value) { FAllocBy = Value; }
  bool Masked() const { return FMasked; }
  void SetMasked(bool Value);
  TColor BkColor() const;
  void SetBkColor(TColor Value);
  TColor BlendColor() const { return FBlendColor; }
  void SetBlendColor(TColor Value);
  TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle Value);
  TImageType ImageType() const { return FImageType; }
  void SetImageType(TImageType Value);

  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  // Tells every change link, then OnChange (once the updates are over).
  virtual void Change();

  TNotifyEvent OnChange;

protected:
  virtual void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled);
  void DefineProperties(TFiler* Filer) override;

private:
  void HandleNeeded();
  void FreeHandle();
  void Resize();
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);

  HIMAGELIST FHandle = nullptr;
  int FWidth = 16;
  int FHeight = 16;
  int FAllocBy = 4;
  bool FMasked = true;
  bool FShareImages = false;
  TColor FBkColor;
  TColor FBlendColor;
  TDrawingStyle FDrawingStyle = dsNormal;
  TImageType FImageType = itImage;
  std::vector<TChangeLink*> FClients;
  int FUpdateCount = 0;
  bool FChanged = false;
};
