// Objects that take messages by number. Dispatch hands a message to the
// handler its class declares for that number (each class overrides Dispatch
// with a switch over the numbers it handles and passes the rest to its
// parent class's Dispatch); a message no class handles reaches DefaultHandler.
// Controls are such objects, and so may plain objects be (themes, notifiers).
#pragma once

#include "platform/base/Object.h"
#include "platform/classes/Messages.h"

class TMessageDispatcher {
public:
  virtual ~TMessageDispatcher() = default;
  virtual void Dispatch(TMessage& Message) { DefaultHandler(Message); }
  virtual void DefaultHandler(TMessage&) {}
};

// Dispatches Message to Object; false (and nothing done) when the object
// takes no messages.
bool DispatchToObject(TObject* Object, TMessage& Message);
