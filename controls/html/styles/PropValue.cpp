#include "controls/html/styles/PropValue.h"

#include <cmath>
#include <cstdio>

#include "controls/html/styles/StyleNumbers.h"

const std::string& TPropValue::AsString() const
{
  static const std::string Empty;
  const std::string* S = std::get_if<std::string>(&FValue);
  return S ? *S : Empty;
}

int TPropValue::AsInteger() const
{
  if (const int* I = std::get_if<int>(&FValue))
    return *I;
  if (const double* D = std::get_if<double>(&FValue))
    return RoundToInt(*D);
  return 0;
}

double TPropValue::AsDouble() const
{
  if (const int* I = std::get_if<int>(&FValue))
    return *I;
  if (const double* D = std::get_if<double>(&FValue))
    return *D;
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
