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
  // The path of names by which the object is found from its form: the
  // owner's path, a dot and the class name (the class name alone without an
  // owner); components and collections answer their own.
  virtual std::string GetNamePath() const;
  // The object this one belongs to for naming and streaming (null here;
  // collections, their items and components answer theirs).
  virtual TPersistent* GetOwner() const { return nullptr; }

protected:
  // The class library's filers ask any persistent object for its defined properties.
  friend class TReader;
  friend class TWriter;

  virtual void AssignTo(TPersistent* Dest);
  // Where an object stores properties that are not published ones.
  virtual void DefineProperties(TFiler* Filer);
  [[noreturn]] void AssignError(TPersistent* Source);
};
