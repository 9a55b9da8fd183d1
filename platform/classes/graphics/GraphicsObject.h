// TGraphicsObject: the base of fonts, pens and brushes: a change event, and a
// lock for objects shared between threads.
#pragma once

#include <mutex>

#include "platform/base/Method.h"
#include "platform/base/Persistent.h"

class TGraphicsObject : public TPersistent {
public:
  TNotifyEvent OnChange;

  // Serialises access from several threads (recursive).
  void Lock() { FLock.lock(); }
  void Unlock() { FLock.unlock(); }

protected:
  virtual void Changed();

private:
  std::recursive_mutex FLock;
};
