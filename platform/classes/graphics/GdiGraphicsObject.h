// TGdiGraphicsObject: the base of pens and brushes, graphics objects that make
// the drawing layer's object from their properties on first use, drop it when a
// property changes and free it with themselves. Assign takes the properties of
// another object of the same class; anything else goes to TPersistent.
#pragma once

#include "platform/classes/graphics/GraphicsObject.h"
#include "platform/win/gdi/Objects.h"

template <class TSelf, class THandle>
class TGdiGraphicsObject : public TGraphicsObject {
public:
  ~TGdiGraphicsObject() override
  {
    if (FHandle)
      DeleteObject(FHandle);
  }

  void Assign(TPersistent* Source) override
  {
    auto* source = dynamic_cast<TSelf*>(Source);
    if (!source) {
      TGraphicsObject::Assign(Source);
      return;
    }
    if (source == this)
      return;
    CopyProperties(*source);
    Changed();
  }

protected:
  // Takes every property of Source; Assign then drops the handle.
  virtual void CopyProperties(const TSelf& Source) = 0;

  void Changed() override
  {
    if (FHandle) {
      DeleteObject(FHandle);
      FHandle = nullptr;
    }
    TGraphicsObject::Changed();
  }

  THandle FHandle = nullptr;
};
