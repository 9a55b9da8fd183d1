#include "controls/utility/rtti/RtScalarTypeInfo.h"

#include "controls/utility/rtti/RtTypeText.h"

namespace {

std::string FloatTypeText(TFloatType type)
{
  return OrdinalToText(TypeInfo<TFloatType>(), &type);
}

}  // namespace

void TRtFloatTypeInfo::WriteInfo(IRtInfoOutput* Output)
{
  TRtTypeInfoT::WriteInfo(Output);
  Output->Writeln("Float type: " + FloatTypeText(FloatType()));
}

void TRtFloatTypeInfo::WriteDeclaration(IRtInfoOutput* Output)
{
  std::string kind = FloatTypeText(FloatType());
  Output->Writeln(FTypeInfo->Name + " = type " + (kind.size() > 2 ? kind.substr(2) : std::string()) + ";");
}

void TRtStringTypeInfo::WriteInfo(IRtInfoOutput* Output)
{
  TRtTypeInfoT::WriteInfo(Output);
  Output->Writeln("Max length: " + std::to_string(MaxLength()));
}

void TRtStringTypeInfo::WriteDeclaration(IRtInfoOutput* Output)
{
  bool anonymous = IsAnonymous();
  if (!anonymous)
    Output->Write(FTypeInfo->Name + " = ");
  Output->Write("string[" + std::to_string(MaxLength()) + "]");
  if (!anonymous)
    Output->Writeln(";");
}

void TRtInt64TypeInfo::WriteInfo(IRtInfoOutput* Output)
{
  TRtTypeInfoT::WriteInfo(Output);
  Output->Writeln("Min value: " + std::to_string(MinValue()));
  Output->Writeln("Max value: " + std::to_string(MaxValue()));
}

void TRtInt64TypeInfo::WriteDeclaration(IRtInfoOutput* Output)
{
  Output->Writeln(FTypeInfo->Name + " = " + std::to_string(MinValue()) + " .. " + std::to_string(MaxValue()) + ";");
}
