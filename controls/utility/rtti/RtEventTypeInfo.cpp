#include "controls/utility/rtti/RtEventTypeInfo.h"

#include "controls/utility/detail/Text.h"
#include "controls/utility/rtti/RtTypeText.h"
#include "platform/base/StringRoutines.h"

InterfacePtr<IRtEventParameterInfo> TRtEventTypeInfo::Parameters(int Index)
{
  if (Index < 0 || Index >= ParameterCount())
    ut_detail::ListIndexError(Index);
  return InterfacePtr<IRtEventParameterInfo>(new TRtEventParamInfo(&FTypeInfo->Data.Params[std::size_t(Index)]));
}

std::string TRtEventTypeInfo::ResultTypeName()
{
  return MethodKind() == mkFunction ? FTypeInfo->Data.ResultType : std::string();
}

void TRtEventTypeInfo::WriteInfo(IRtInfoOutput* Output)
{
  TRtTypeInfoT::WriteInfo(Output);
  TMethodKind kind = MethodKind();
  Output->Writeln("Method kind: " + OrdinalToText(::TypeInfo<TMethodKind>(), &kind));
  Output->Writeln("Parameter count: " + std::to_string(ParameterCount()));
  Output->AddIndent();
  for (int i = 0; i < ParameterCount(); ++i) {
    const TParamRecord& p = FTypeInfo->Data.Params[std::size_t(i)];
    if (i > 0)
      Output->Writeln("");
    Output->Writeln("Name: " + p.ParamName);
    Output->Writeln("Type: " + p.TypeName);
    Output->Writeln("Flags: " + SetToText(p.Flags, true, false));
  }
  Output->RemoveIndent();
  if (kind == mkFunction)
    Output->Writeln("Return type: " + ResultTypeName());
}

void TRtEventTypeInfo::WriteDeclaration(IRtInfoOutput* Output)
{
  Output->Write(FTypeInfo->Name + " = ");
  Output->Write(MethodKind() == mkFunction ? "function" : "procedure");
  const auto& params = FTypeInfo->Data.Params;
  for (std::size_t i = 0; i < params.size(); ++i) {
    const TParamRecord& p = params[i];
    Output->Write(i == 0 ? "(" : "; ");
    if (p.Flags.Contains(pfVar))
      Output->Write("var ");
    else if (p.Flags.Contains(pfConst))
      Output->Write("const ");
    else if (p.Flags.Contains(pfOut))
      Output->Write("out ");
    Output->Write(p.ParamName);
    if (!p.TypeName.empty()) {
      Output->Write(": ");
      if (p.Flags.Contains(pfArray))
        Output->Write("array of ");
      if (p.Flags.Contains(pfArray) && SameText(p.TypeName, "TVarRec"))
        Output->Write("const");
      else
        Output->Write(p.TypeName);
    }
  }
  if (!params.empty())
    Output->Write(")");
  if (MethodKind() == mkFunction)
    Output->Write(": " + ResultTypeName());
  Output->Writeln(" of object;");
}
