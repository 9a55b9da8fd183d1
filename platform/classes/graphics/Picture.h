// TPicture: holds one graphic of any registered class and loads files by
// extension through the registry of graphic formats (".bmp" and ".ico" are
// built in; image decoders register theirs with RegisterFileFormat).
#pragma once

#include <memory>
#include <string>

#include "platform/base/Method.h"
#include "platform/base/Persistent.h"
#include "platform/classes/Forward.h"

using TGraphicClass = TGraphic* (*)();

class TPicture : public TPersistent {
public:
  TPicture() = default;
  ~TPicture() override;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  TGraphic* Graphic() const { return FGraphic.get(); }
  // Keeps a copy of Value (null: empty).
  void SetGraphic(TGraphic* Value);
  // The graphic as a bitmap, replacing any other kind by an empty bitmap.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* Value);
  TIcon* Icon();
  int Width() const;
  int Height() const;

  // EInvalidGraphic for an extension nobody registered.
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);
  void Assign(TPersistent* Source) override;

  // Extension without the dot, case ignored; the latest registration of an
  // extension wins.
  static void RegisterFileFormat(const std::string& Extension, const std::string& Description,
                                 TGraphicClass GraphicClass);
  static void UnregisterGraphicClass(TGraphicClass GraphicClass);
  static TGraphicClass FindGraphicClass(const std::string& Extension);

  TNotifyEvent OnChange;

protected:
  virtual void Changed(TObject* Sender);

private:
  void Take(std::unique_ptr<TGraphic> NewGraphic);

  std::unique_ptr<TGraphic> FGraphic;
};
