// Objects that can copy themselves from another (Assign), the base of every
// class-library object that carries published properties.
#pragma once

#include <string>

#include "platform/base/Object.h"

class TFiler;  // the class library's property filer

class TPersistent : public TObject {
public:
  // Copies Source into this object. The default asks Source to assign itself
  // to this object, and fails with EConvertError when neither side knows how.
  virtual void Assign(TPersistent* Source);
  // The path of names by which the object is found from its form.
  virtual std::string GetNamePath() const;

protected:
  virtual void AssignTo(TPersistent* Dest);
  // Where an object stores properties that are not published ones.
  virtual void DefineProperties(TFiler* Filer);
  [[noreturn]] void AssignError(TPersistent* Source);
};
