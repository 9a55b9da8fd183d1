// Reference-counted wrappers over the run-time type descriptors: callers ask a
// type for its name, range, element names, properties or parameters through
// these interfaces without reading the descriptor themselves. Every wrapper is
// made on demand by RtTypeInfoFor (or by the operations that hand out other
// types) and freed with its last reference; it never owns its descriptor.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/base/Interface.h"
#include "platform/classes/typinfo/TypInfo.h"

// The receiver of the text listings: Write appends to the current line,
// Writeln appends and ends the line, AddIndent and RemoveIndent move the
// indentation of the following lines.
struct IRtInfoOutput : IUnknown {
  static constexpr GUID IID = MakeGUID("{E336D7A3-9B93-4110-8EEB-03EAE174C09B}");
  using Parent = IUnknown;
  virtual int Indentation() = 0;
  virtual void SetIndentation(int levels) = 0;
  virtual void Write(const std::string& Text) = 0;
  virtual void Writeln(const std::string& Text = {}) = 0;
  virtual void AddIndent() = 0;
  virtual void RemoveIndent() = 0;
};

struct IRtBaseInfo : IUnknown {
  static constexpr GUID IID{};  // none
  using Parent = IUnknown;
  virtual void WriteInfo(IRtInfoOutput* Output) = 0;
  virtual void WriteDeclaration(IRtInfoOutput* Output) = 0;
};

struct IRtTypeInfo : IRtBaseInfo {
  static constexpr GUID IID = MakeGUID("{7DAD5220-46EA-11D5-B0C0-4854E825F345}");
  using Parent = IRtBaseInfo;
  virtual std::string TypeName() = 0;
  virtual const TTypeData* TypeData() = 0;
  virtual PTypeInfo TypeInfo() = 0;
  virtual TTypeKind TypeKind() = 0;
};

struct IRtOrdinalTypeInfo : IRtTypeInfo {
  static constexpr GUID IID = MakeGUID("{7DAD5221-46EA-11D5-B0C0-4854E825F345}");
  using Parent = IRtTypeInfo;
  virtual TOrdType OrdinalType() = 0;
};

struct IRtOrdinalRangeTypeInfo : IRtOrdinalTypeInfo {
  static constexpr GUID IID = MakeGUID("{7DAD5222-46EA-11D5-B0C0-4854E825F345}");
  using Parent = IRtOrdinalTypeInfo;
  virtual std::int64_t MinValue() = 0;
  virtual std::int64_t MaxValue() = 0;
};

struct IRtEnumerationTypeInfo : IRtOrdinalRangeTypeInfo {
  static constexpr GUID IID = MakeGUID("{7DAD5223-46EA-11D5-B0C0-4854E825F345}");
  using Parent = IRtOrdinalRangeTypeInfo;
  virtual InterfacePtr<IRtEnumerationTypeInfo> BaseType() = 0;
  // The name of the value Index; ERtRTTI outside the base type's range.
  virtual std::string Names(std::int64_t Index) = 0;
  virtual std::string UnitName() = 0;
  virtual std::int64_t IndexOfName(const std::string& Name) = 0;
};

// A set's bitmap is passed as its bytes; the span must hold the set type's
// size (SetTypeSize), else ERangeError.
struct IRtSetInfo : IRtOrdinalTypeInfo {
  static constexpr GUID IID = MakeGUID("{7DAD5224-46EA-11D5-B0C0-4854E825F345}");
  using Parent = IRtOrdinalTypeInfo;
  virtual InterfacePtr<IRtOrdinalTypeInfo> BaseType() = 0;
  virtual void ElementsToList(std::span<const std::uint8_t> Value, bool WantRanges,
                              std::vector<std::string>& Strings) = 0;
  virtual void ListToElements(std::span<std::uint8_t> Value, const std::vector<std::string>& Strings) = 0;
};

struct IRtFloatInfo : IRtTypeInfo {
  static constexpr GUID IID = MakeGUID("{7DAD5225-46EA-11D5-B0C0-4854E825F345}");
  using Parent = IRtTypeInfo;
  virtual TFloatType FloatType() = 0;
};

struct IRtStringInfo : IRtTypeInfo {
  static constexpr GUID IID = MakeGUID("{7DAD5226-46EA-11D5-B0C0-4854E825F345}");
  using Parent = IRtTypeInfo;
  virtual int MaxLength() = 0;
};

// The kinds of a property's reader, writer and stored specifier.
enum TRtPropSpecKind : std::uint8_t { pskNone, pskStaticMethod, pskVirtualMethod, pskField, pskConstant };

struct IRtPropertyInfo : IUnknown {
  static constexpr GUID IID = MakeGUID("{7DAD5227-46EA-11D5-B0C0-4854E825F345}");
  using Parent = IUnknown;
  virtual InterfacePtr<IRtTypeInfo> PropType() = 0;
  virtual std::uint32_t ReaderSpec() = 0;
  virtual std::uint32_t WriterSpec() = 0;
  virtual std::uint32_t StoredSpec() = 0;
  virtual std::int32_t PropIndex() = 0;
  virtual std::int32_t PropDefault() = 0;
  virtual std::int16_t NameIndex() = 0;
  virtual std::string PropName() = 0;
  virtual TRtPropSpecKind ReaderKind() = 0;
  virtual TRtPropSpecKind WriterKind() = 0;
  virtual TRtPropSpecKind StoredKind() = 0;
  virtual std::int32_t ReaderValue() = 0;
  virtual std::int32_t WriterValue() = 0;
  virtual std::int32_t StoredValue() = 0;
  virtual bool IsStoredIn(TObject* Instance) = 0;
  virtual bool HasDefaultValue() = 0;
  virtual bool HasIndexValue() = 0;
};

struct IRtClassInfo : IRtTypeInfo {
  static constexpr GUID IID = MakeGUID("{7DAD5228-46EA-11D5-B0C0-4854E825F345}");
  using Parent = IRtTypeInfo;
  virtual const std::type_info* ClassRef() = 0;
  virtual InterfacePtr<IRtClassInfo> ParentInfo() = 0;
  virtual int TotalPropertyCount() = 0;
  virtual int PropertyCount() = 0;
  // Own properties first, then the parents'; ERtRTTI at or past the total.
  virtual InterfacePtr<IRtPropertyInfo> Properties(int Index) = 0;
  virtual std::string UnitName() = 0;
};

struct IRtEventParameterInfo : IUnknown {
  static constexpr GUID IID = MakeGUID("{7DAD5229-46EA-11D5-B0C0-4854E825F345}");
  using Parent = IUnknown;
  virtual TParamFlags ParamFlags() = 0;
  virtual std::string ParamName() = 0;
  virtual int RecordSize() = 0;
  virtual std::string ParamTypeName() = 0;
  virtual const TParamRecord* ParamRecord() = 0;
};

struct IRtEventInfo : IRtTypeInfo {
  static constexpr GUID IID = MakeGUID("{7DAD522A-46EA-11D5-B0C0-4854E825F345}");
  using Parent = IRtTypeInfo;
  virtual TMethodKind MethodKind() = 0;
  virtual int ParameterCount() = 0;
  // ERtRTTI outside 0 .. ParameterCount - 1.
  virtual InterfacePtr<IRtEventParameterInfo> Parameters(int Index) = 0;
  virtual std::string ResultTypeName() = 0;
};

struct IRtInterfaceInfo : IRtTypeInfo {
  static constexpr GUID IID = MakeGUID("{7DAD522B-46EA-11D5-B0C0-4854E825F345}");
  using Parent = IRtTypeInfo;
  virtual InterfacePtr<IRtInterfaceInfo> ParentInfo() = 0;
  virtual TIntfFlagsBase IntfFlags() = 0;
  virtual GUID IntfGuid() = 0;
  virtual int PropertyCount() = 0;
  virtual std::string UnitName() = 0;
};

struct IRtInt64Info : IRtTypeInfo {
  static constexpr GUID IID = MakeGUID("{7DAD522C-46EA-11D5-B0C0-4854E825F345}");
  using Parent = IRtTypeInfo;
  virtual std::int64_t MinValue() = 0;
  virtual std::int64_t MaxValue() = 0;
};

struct IRtDynArrayInfo : IRtTypeInfo {
  static constexpr GUID IID = MakeGUID("{7DAD522E-46EA-11D5-B0C0-4854E825F345}");
  using Parent = IRtTypeInfo;
  virtual int ElementSize() = 0;
  virtual InterfacePtr<IRtTypeInfo> ElementType() = 0;
  virtual bool ElementsNeedCleanup() = 0;
  virtual int VarType() = 0;
  virtual std::string UnitName() = 0;
};

// The wrapper of a descriptor, chosen by its kind; null for a null descriptor.
InterfacePtr<IRtTypeInfo> RtTypeInfoFor(PTypeInfo Descriptor);

// The wrapper asked for a narrower interface; null when it has none.
template <class I>
InterfacePtr<I> RtTypeInfoAs(PTypeInfo Descriptor)
{
  return Supports<I>(RtTypeInfoFor(Descriptor).Get());
}
