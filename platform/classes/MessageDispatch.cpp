#include "platform/classes/MessageDispatch.h"

bool DispatchToObject(TObject* Object, TMessage& Message)
{
  auto* target = dynamic_cast<TMessageDispatcher*>(Object);
  if (!target)
    return false;
  target->Dispatch(Message);
  return true;
}
