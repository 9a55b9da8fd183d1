#include "controls/html/styles/PropValue.h"

#include <cmath>
#include <cstdio>

#include "controls/html/styles/StyleNumbers.h"

const std::string& TPropValue::AsString() const
{
  static const std::string Empty;
  const TText* S = std::get_if<TText>(&FValue);
  return S ? **S : Empty;
}

std::size_t TPropValue::Hash() const
{
  std::size_t H = 0;
  if (const TText* S = std::get_if<TText>(&FValue))
    H = std::hash<std::string>{}(**S);
  else if (const int* I = std::get_if<int>(&FValue))
    H = std::hash<int>{}(*I);
  else if (const double* D = std::get_if<double>(&FValue))
    H = std::hash<double>{}(*D);
  return H * 31u + FValue.index();
}

bool operator==(const TPropValue& A, const TPropValue& B)
{
  const auto* SA = std::get_if<TPropValue::TText>(&A.FValue);
  const auto* SB = std::get_if<TPropValue::TText>(&B.FValue);
  if (SA || SB)
    return SA && SB && (*SA == *SB || **SA == **SB);
  return A.FValue == B.FValue;
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
