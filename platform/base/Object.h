// The root of the object model: every class of the system's own code and of the
// class library derives from TObject.
#pragma once

#include <string>

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = default;
  TObject& operator=(const TObject&) = default;
  virtual ~TObject() = default;

  // The class name without namespaces or template arguments ("TStringList").
  virtual std::string ClassName() const;
  bool ClassNameIs(const std::string& name) const;
};

// Deletes the object (nothing for null) and clears the reference.
template <class T>
void FreeAndNil(T*& object)
{
  T* doomed = object;
  object = nullptr;
  delete doomed;
}
