#include "controls/utility/rtti/RtEnumerationTypeInfo.h"

#include "controls/utility/UtExceptions.h"
#include "controls/utility/detail/Text.h"
#include "platform/base/StringRoutines.h"

InterfacePtr<IRtEnumerationTypeInfo> TRtEnumerationTypeInfo::BaseType()
{
  PTypeInfo base = EnumBaseType(FTypeInfo);
  if (base == FTypeInfo)
    return InterfacePtr<IRtEnumerationTypeInfo>(this);
  return RtTypeInfoAs<IRtEnumerationTypeInfo>(base);
}

std::string TRtEnumerationTypeInfo::Names(std::int64_t Index)
{
  PTypeInfo base = EnumBaseType(FTypeInfo);
  // Walking past the names would read past the descriptor: refuse.
  if (Index < OrdinalMin(base) || Index > OrdinalMax(base) ||
      Index - OrdinalMin(base) >= std::int64_t(base->Data.NameList.size()))
    ut_detail::ListIndexError(Index);
  return GetEnumName(base, Index);
}

std::int64_t TRtEnumerationTypeInfo::IndexOfName(const std::string& Name)
{
  for (std::int64_t v = MaxValue(); v >= MinValue(); --v)
    if (SameText(GetEnumName(FTypeInfo, v), Name))
      return v;
  return -1;
}

void TRtEnumerationTypeInfo::WriteInfo(IRtInfoOutput* Output)
{
  TRtOrdinalRangeTypeInfoT::WriteInfo(Output);
  Output->Writeln("Unit name: " + UnitName());
  Output->Write("Names: ");
  for (std::int64_t v = MinValue(); v <= MaxValue(); ++v)
    Output->Write((v == MinValue() ? "(" : ", ") + GetEnumName(FTypeInfo, v));
  Output->Writeln(")");
}

void TRtEnumerationTypeInfo::WriteDeclaration(IRtInfoOutput* Output)
{
  bool anonymous = IsAnonymous();
  if (!anonymous)
    Output->Write(FTypeInfo->Name + " = ");
  if (EnumBaseType(FTypeInfo) == FTypeInfo) {
    Output->Write("(");
    for (std::int64_t v = MinValue(); v <= MaxValue(); ++v)
      Output->Write((v == MinValue() ? "" : ", ") + GetEnumName(FTypeInfo, v));
    Output->Write(")");
  } else {
    Output->Write(GetEnumName(FTypeInfo, MinValue()) + " .. " + GetEnumName(FTypeInfo, MaxValue()));
  }
  if (!anonymous) {
    Output->Write("; // " + OrdTypeText(FTypeInfo->Data.OrdType));
    Output->Writeln("");
  }
}
