#include "platform/classes/controls/SizeConstraints.h"

void TSizeConstraints::Assign(TPersistent* Source)
{
  if (auto* other = dynamic_cast<TSizeConstraints*>(Source)) {
    FMinWidth = other->FMinWidth;
    FMinHeight = other->FMinHeight;
    FMaxWidth = other->FMaxWidth;
    FMaxHeight = other->FMaxHeight;
    Change();
    return;
  }
  TPersistent::Assign(Source);
}

void TSizeConstraints::SetMinWidth(int Value)
{
  if (Value == FMinWidth)
    return;
  FMinWidth = Value < 0 ? 0 : Value;
  if (FMaxWidth > 0 && FMinWidth > FMaxWidth)
    FMaxWidth = FMinWidth;
  Change();
}

void TSizeConstraints::SetMinHeight(int Value)
{
  if (Value == FMinHeight)
    return;
  FMinHeight = Value < 0 ? 0 : Value;
  if (FMaxHeight > 0 && FMinHeight > FMaxHeight)
    FMaxHeight = FMinHeight;
  Change();
}

void TSizeConstraints::SetMaxWidth(int Value)
{
  if (Value == FMaxWidth)
    return;
  FMaxWidth = Value < 0 ? 0 : Value;
  if (FMaxWidth > 0 && FMinWidth > FMaxWidth)
    FMinWidth = FMaxWidth;
  Change();
}

void TSizeConstraints::SetMaxHeight(int Value)
{
  if (Value == FMaxHeight)
    return;
  FMaxHeight = Value < 0 ? 0 : Value;
  if (FMaxHeight > 0 && FMinHeight > FMaxHeight)
    FMinHeight = FMaxHeight;
  Change();
}

void TSizeConstraints::Change()
{
  if (OnChange)
    OnChange(this);
}
