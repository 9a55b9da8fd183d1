#include "controls/themes/TBWControlMargins.h"

void TTBWControlMargins::Store(int& Field, int Value)
{
  if (Field == Value)
    return;
  Field = Value;
  Change();
}

void TTBWControlMargins::Change()
{
  if (OnChange)
    OnChange(this);
}

void TTBWControlMargins::Assign(TPersistent* Source)
{
  auto* other = dynamic_cast<TTBWControlMargins*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  FLeft = other->FLeft;
  FTop = other->FTop;
  FRight = other->FRight;
  FBottom = other->FBottom;
  Change();
}
