#include "platform/base/Persistent.h"

#include "platform/base/Exception.h"
#include "platform/base/RtlConsts.h"

void TPersistent::Assign(TPersistent* Source)
{
  if (Source)
    Source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
  if (Dest)
    Dest->AssignError(this);
  AssignError(nullptr);  // no destination: nothing could take the copy
}

void TPersistent::DefineProperties(TFiler*) {}

std::string TPersistent::GetNamePath() const
{
  std::string ownerPath;
  if (TPersistent* owner = GetOwner())
    ownerPath = owner->GetNamePath();
  return ownerPath.empty() ? ClassName() : ownerPath + "." + ClassName();
}

void TPersistent::AssignError(TPersistent* Source)
{
  std::string sourceName = Source ? Source->ClassName() : "nil";
  std::string message = SAssignError;
  // "%s" twice: the source's class, then this object's.
  auto first = message.find("%s");
  message.replace(first, 2, sourceName);
  auto second = message.find("%s");
  message.replace(second, 2, ClassName());
  throw EConvertError(message);
}
