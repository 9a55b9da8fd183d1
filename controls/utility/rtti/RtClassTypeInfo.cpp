#include "controls/utility/rtti/RtClassTypeInfo.h"

#include "controls/utility/detail/Text.h"
#include "controls/utility/rtti/RtTypeText.h"
#include "platform/base/StringRoutines.h"

TRtPropSpecKind TRtPropInfo::SpecKind(std::uint32_t spec)
{
  if (spec > 0xFFFFFFu) {
    std::uint32_t high = spec >> 24;
    return high == 0xFE ? pskVirtualMethod : high == 0xFF ? pskField : pskStaticMethod;
  }
  return spec <= 1 ? pskConstant : pskStaticMethod;
}

std::int32_t TRtPropInfo::SpecValue(std::uint32_t spec)
{
  switch (SpecKind(spec)) {
    case pskVirtualMethod:
      return std::int16_t(spec & 0xFFFF);
    case pskField:
      return std::int32_t(spec & 0xFFFFFF);
    default:
      return std::int32_t(spec);
  }
}

InterfacePtr<IRtClassInfo> TRtClassTypeInfo::ParentInfo()
{
  return RtTypeInfoAs<IRtClassInfo>(FTypeInfo->Data.ParentInfo);
}

InterfacePtr<IRtPropertyInfo> TRtClassTypeInfo::Properties(int Index)
{
  if (Index >= 0 && Index < PropertyCount())
    return InterfacePtr<IRtPropertyInfo>(new TRtPropInfo(&FTypeInfo->Data.Props[std::size_t(Index)]));
  // Past the class's own records the index runs over the parents'; walking
  // past the last would read past the descriptor, so it is refused.
  InterfacePtr<IRtClassInfo> parent = ParentInfo();
  if (Index < 0 || Index >= TotalPropertyCount() || !parent)
    ut_detail::ListIndexError(Index);
  return parent->Properties(Index - PropertyCount());
}

namespace {

const char* SpecKindText(TRtPropSpecKind kind)
{
  switch (kind) {
    case pskStaticMethod:
      return "static method";
    case pskVirtualMethod:
      return "virtual method";
    case pskField:
      return "field";
    default:
      return "";
  }
}

bool IsAccessor(TRtPropSpecKind kind)
{
  return kind == pskStaticMethod || kind == pskVirtualMethod || kind == pskField;
}

std::string Pointer(std::int32_t value)
{
  return "$" + ut_detail::Hex8(std::uint32_t(value));
}

// Lowers the indentation again when leaving, also on failure.
class IndentGuard {
public:
  explicit IndentGuard(IRtInfoOutput* output) : FOutput(output) { FOutput->AddIndent(); }
  ~IndentGuard() { FOutput->RemoveIndent(); }
  IndentGuard(const IndentGuard&) = delete;
  IndentGuard& operator=(const IndentGuard&) = delete;

private:
  IRtInfoOutput* FOutput;
};

std::string TypeNameOf(PTypeInfo info)
{
  return info ? info->Name : std::string();
}

}  // namespace

void TRtClassTypeInfo::WriteInfo(IRtInfoOutput* Output)
{
  TRtTypeInfoT::WriteInfo(Output);
  Output->Writeln("Class name: " + FTypeInfo->Name);
  Output->Writeln("Parent: " + TypeNameOf(FTypeInfo->Data.ParentInfo));
  Output->Writeln("Unit name: " + UnitName());
  Output->Writeln("Property count: " + std::to_string(PropertyCount()) + " (" +
                  std::to_string(TotalPropertyCount()) + ")");
  IndentGuard indent(Output);
  for (int i = 0; i < PropertyCount(); ++i) {
    auto p = Properties(i);
    Output->Writeln(p->PropName() + ": " + TypeNameOf(FTypeInfo->Data.Props[std::size_t(i)].PropType));
    IndentGuard details(Output);
    if (p->HasIndexValue())
      Output->Writeln("[index " + std::to_string(p->PropIndex()) + "]");
    if (p->HasDefaultValue())
      Output->Writeln("[default " + std::to_string(p->PropDefault()) + "]");
    if (IsAccessor(p->ReaderKind()))
      Output->Writeln(std::string("[read ") + SpecKindText(p->ReaderKind()) + " " + Pointer(p->ReaderValue()) + "]");
    if (IsAccessor(p->WriterKind()))
      Output->Writeln(std::string("[write ") + SpecKindText(p->WriterKind()) + " " + Pointer(p->WriterValue()) +
                      "]");
    if (IsAccessor(p->StoredKind()))
      Output->Writeln(std::string("[stored=") + SpecKindText(p->StoredKind()) + " " + Pointer(p->StoredValue()) +
                      "]");
    else if (p->StoredKind() == pskConstant)
      Output->Writeln(std::string("[stored=") + (p->StoredValue() != 0 ? "True" : "False") + "]");
  }
}

void TRtClassTypeInfo::WriteDeclaration(IRtInfoOutput* Output)
{
  PTypeInfo parent = FTypeInfo->Data.ParentInfo;
  if (parent && !SameText(parent->Name, "TObject")) {
    Output->Write(FTypeInfo->Name + " = class(" + parent->Name);
    for (const GUID& iid : FTypeInfo->Data.IntfTable)
      Output->Write(", ['" + GuidToText(iid) + "']");
    Output->Writeln(") // unit " + UnitName());
  } else {
    Output->Writeln(FTypeInfo->Name + " = class // unit " + UnitName());
  }
  if (PropertyCount() > 0) {
    Output->Writeln("published");
    IndentGuard indent(Output);
    for (int i = 0; i < PropertyCount(); ++i) {
      auto p = Properties(i);
      Output->Write("property " + p->PropName() + ": " +
                    TypeNameOf(FTypeInfo->Data.Props[std::size_t(i)].PropType));
      if (p->HasIndexValue())
        Output->Write(" index " + std::to_string(p->PropIndex()));
      if (IsAccessor(p->ReaderKind()))
        Output->Write(std::string(" read [") + SpecKindText(p->ReaderKind()) + " " + Pointer(p->ReaderValue()) + "]");
      if (IsAccessor(p->WriterKind()))
        Output->Write(std::string(" write [") + SpecKindText(p->WriterKind()) + " " + Pointer(p->WriterValue()) +
                      "]");
      if (IsAccessor(p->StoredKind()))
        Output->Write(std::string(" stored = [") + SpecKindText(p->StoredKind()) + " " +
                      Pointer(p->StoredValue()) + "]");
      else if (p->StoredKind() == pskConstant)
        Output->Write(std::string(" stored = ") + (p->StoredValue() != 0 ? "True" : "False"));
      if (p->HasDefaultValue())
        Output->Write(" default " + std::to_string(p->PropDefault()));
      Output->Writeln(";");
    }
  }
  Output->Writeln("end;");
}
