#include "controls/html/styles/PropValue.h"

#include <cmath>
#include <cstdio>

#include "controls/html/styles/StyleNumbers.h"

const std::string& TPropValue::AsString() const
{
  static const std::string Empty;
  return FKind == TKind::Text ? *FText : Empty;
}

std::size_t TPropValue::Hash() const
{
  std::size_t H = 0;
  switch (FKind) {
  case TKind::Text: H = std::hash<std::string>{}(*FText); break;
  case TKind::Integer: H = std::hash<int>{}(FInteger); break;
  case TKind::Double: H = std::hash<double>{}(FDouble); break;
  case TKind::Empty: break;
  }
  return H * 31u + std::size_t(FKind);
}

int TPropValue::AsInteger() const
{
  if (FKind == TKind::Integer)
    return FInteger;
  if (FKind == TKind::Double)
    return RoundToInt(FDouble);
  return 0;
}

double TPropValue::AsDouble() const
{
  if (FKind == TKind::Integer)
    return FInteger;
  if (FKind == TKind::Double)
    return FDouble;
  return 0;
}

std::string TPropValue::Dump() const
{
  if (IsEmpty())
    return "";
  if (IsString())
    return "\"" + AsString() + "\"";
  if (IsInteger())
    return std::to_string(AsInteger());
  char Buffer[40];
  std::snprintf(Buffer, sizeof Buffer, "%g", AsDouble());
  return Buffer;
}
