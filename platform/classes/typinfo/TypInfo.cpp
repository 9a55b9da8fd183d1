#include "platform/classes/typinfo/TypInfo.h"

#include <strings.h>

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/base/Persistent.h"
#include "platform/base/SysConsts.h"
#include "platform/base/ShortString.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"

int OrdTypeSize(TOrdType type)
{
  switch (type) {
    case otSByte:
    case otUByte:
      return 1;
    case otSWord:
    case otUWord:
      return 2;
    case otSLong:
    case otULong:
      return 4;
  }
  return 0;
}

bool OrdTypeSigned(TOrdType type)
{
  return type == otSByte || type == otSWord || type == otSLong;
}

std::int64_t ReadOrdinal(TOrdType type, const void* address)
{
  switch (type) {
    case otSByte: {
      std::int8_t v;
      std::memcpy(&v, address, 1);
      return v;
    }
    case otUByte: {
      std::uint8_t v;
      std::memcpy(&v, address, 1);
      return v;
    }
    case otSWord: {
      std::int16_t v;
      std::memcpy(&v, address, 2);
      return v;
    }
    case otUWord: {
      std::uint16_t v;
      std::memcpy(&v, address, 2);
      return v;
    }
    case otSLong: {
      std::int32_t v;
      std::memcpy(&v, address, 4);
      return v;
    }
    case otULong: {
      std::uint32_t v;
      std::memcpy(&v, address, 4);
      return v;
    }
  }
  return -1;
}

void WriteOrdinal(TOrdType type, void* address, std::int64_t value)
{
  // The machine is little-endian: the low bytes come first.
  int size = OrdTypeSize(type);
  if (size > 0)
    std::memcpy(address, &value, std::size_t(size));
}

std::int64_t OrdinalMin(PTypeInfo info)
{
  if (!info)
    return 0;
  const TTypeData& d = info->Data;
  return d.OrdType == otULong ? std::int64_t(std::uint32_t(d.MinValue)) : std::int64_t(d.MinValue);
}

std::int64_t OrdinalMax(PTypeInfo info)
{
  if (!info)
    return -1;
  const TTypeData& d = info->Data;
  return d.OrdType == otULong ? std::int64_t(std::uint32_t(d.MaxValue)) : std::int64_t(d.MaxValue);
}

PTypeInfo EnumBaseType(PTypeInfo info)
{
  if (!info)
    return nullptr;
  return info->Data.BaseType ? info->Data.BaseType : info;
}

std::string GetEnumName(PTypeInfo info, std::int64_t value)
{
  PTypeInfo base = EnumBaseType(info);
  if (!base || base->Kind != tkEnumeration)
    return {};
  std::int64_t index = value - OrdinalMin(base);
  if (index < 0 || index >= std::int64_t(base->Data.NameList.size()))
    return {};
  return base->Data.NameList[std::size_t(index)];
}

std::int64_t GetEnumValue(PTypeInfo info, const std::string& name)
{
  if (!info || info->Kind != tkEnumeration)
    return -1;
  for (std::int64_t v = OrdinalMin(info); v <= OrdinalMax(info); ++v)
    if (strcasecmp(GetEnumName(info, v).c_str(), name.c_str()) == 0)
      return v;
  return -1;
}

std::size_t SetTypeSize(PTypeInfo setType)
{
  PTypeInfo element = setType ? setType->Data.CompType : nullptr;
  if (!element)
    return 0;
  std::int64_t low = OrdinalMin(element), high = OrdinalMax(element);
  if (low < 0 || high > 255 || low > high)
    return 0;
  std::size_t n = std::size_t(high / 8 - low / 8 + 1);
  return n == 3 ? 4 : n;
}

// Integer identifier maps --------------------------------------------------

namespace {

struct IdentMap {
  TIntToIdent ToIdent;
  TIdentToInt ToInt;
};

std::mutex& IdentLock()
{
  static std::mutex lock;
  return lock;
}

std::map<PTypeInfo, IdentMap>& IdentMaps()
{
  static std::map<PTypeInfo, IdentMap> maps;
  return maps;
}

}  // namespace

void RegisterIntegerIdents(PTypeInfo integerType, TIntToIdent toIdent, TIdentToInt toInt)
{
  std::lock_guard guard(IdentLock());
  IdentMaps()[integerType] = IdentMap{std::move(toIdent), std::move(toInt)};
}

TIntToIdent FindIntToIdent(PTypeInfo integerType)
{
  std::lock_guard guard(IdentLock());
  auto found = IdentMaps().find(integerType);
  return found == IdentMaps().end() ? TIntToIdent() : found->second.ToIdent;
}

TIdentToInt FindIdentToInt(PTypeInfo integerType)
{
  std::lock_guard guard(IdentLock());
  auto found = IdentMaps().find(integerType);
  return found == IdentMaps().end() ? TIdentToInt() : found->second.ToInt;
}

// Run-time descriptors -----------------------------------------------------

std::unique_ptr<TTypeInfo> NewOrdinalType(TTypeKind kind, std::string name, TOrdType ordType,
                                          std::int32_t minValue, std::int32_t maxValue)
{
  auto info = std::make_unique<TTypeInfo>(kind, std::move(name));
  info->Data.OrdType = ordType;
  info->Data.MinValue = minValue;
  info->Data.MaxValue = maxValue;
  return info;
}

std::unique_ptr<TTypeInfo> NewEnumType(std::string name, std::string unitName, std::vector<std::string> names,
                                       TOrdType ordType)
{
  auto info = std::make_unique<TTypeInfo>(tkEnumeration, std::move(name));
  info->Data.OrdType = ordType;
  info->Data.MinValue = 0;
  info->Data.MaxValue = std::int32_t(names.size()) - 1;
  info->Data.BaseType = info.get();
  info->Data.NameList = std::move(names);
  info->Data.UnitName = std::move(unitName);
  return info;
}

std::unique_ptr<TTypeInfo> NewSubrangeType(std::string name, PTypeInfo base, std::int32_t minValue,
                                           std::int32_t maxValue)
{
  auto info = std::make_unique<TTypeInfo>(base ? base->Kind : tkInteger, std::move(name));
  if (base) {
    info->Data.OrdType = base->Data.OrdType;
    info->Data.UnitName = base->Data.UnitName;
    if (base->Kind == tkEnumeration)
      info->Data.BaseType = EnumBaseType(base);
  }
  info->Data.MinValue = minValue;
  info->Data.MaxValue = maxValue;
  return info;
}

std::unique_ptr<TTypeInfo> NewSetType(std::string name, PTypeInfo elementType)
{
  auto info = std::make_unique<TTypeInfo>(tkSet, std::move(name));
  typinfo_detail::InitSet(*info, elementType);
  return info;
}

std::unique_ptr<TTypeInfo> NewMethodType(std::string name, TMethodKind kind, std::vector<TParamRecord> params,
                                         std::string resultType)
{
  auto info = std::make_unique<TTypeInfo>(tkMethod, std::move(name));
  info->Data.MethodKind = kind;
  info->Data.Params = std::move(params);
  info->Data.ResultType = std::move(resultType);
  return info;
}

std::unique_ptr<TTypeInfo> NewDynArrayType(std::string name, std::string unitName, std::int32_t elSize,
                                           PTypeInfo elementType, bool elementsNeedCleanup, std::int32_t varType)
{
  auto info = std::make_unique<TTypeInfo>(tkDynArray, std::move(name));
  info->Data.UnitName = std::move(unitName);
  info->Data.ElSize = elSize;
  info->Data.ElType = elementsNeedCleanup ? elementType : nullptr;
  info->Data.ElType2 = elementType;
  info->Data.VarType = varType;
  return info;
}

// Published properties -------------------------------------------------------

const TPropInfo* GetPropInfo(PTypeInfo classInfo, const std::string& name)
{
  for (PTypeInfo c = classInfo; c && c->Kind == tkClass; c = c->Data.ParentInfo)
    for (const TPropInfo& p : c->Data.Props)
      if (strcasecmp(p.Name.c_str(), name.c_str()) == 0)
        return &p;
  return nullptr;
}

std::vector<const TPropInfo*> GetPropList(PTypeInfo classInfo)
{
  std::vector<const TPropInfo*> list;
  for (PTypeInfo c = classInfo; c && c->Kind == tkClass; c = c->Data.ParentInfo)
    for (const TPropInfo& p : c->Data.Props)
      list.push_back(&p);
  return list;
}

namespace {

[[noreturn]] void NoAccess(const TPropInfo* prop)
{
  throw EPropertyError("Accès impossible à la propriété " + (prop ? prop->Name : std::string("?")));
}

void CheckOrdinalRange(const TPropInfo* prop, std::int64_t value)
{
  PTypeInfo t = prop->PropType;
  if (t && (t->Kind == tkInteger || t->Kind == tkChar || t->Kind == tkWChar || t->Kind == tkEnumeration) &&
      (value < OrdinalMin(t) || value > OrdinalMax(t)))
    throw ERangeError(SRangeError);
}

}  // namespace

std::int64_t GetOrdProp(TObject* instance, const TPropInfo* prop)
{
  if (!prop || !prop->Access.GetOrd)
    NoAccess(prop);
  return prop->Access.GetOrd(instance);
}

void SetOrdProp(TObject* instance, const TPropInfo* prop, std::int64_t value)
{
  if (!prop || !prop->Access.SetOrd)
    NoAccess(prop);
  CheckOrdinalRange(prop, value);
  prop->Access.SetOrd(instance, value);
}

double GetFloatProp(TObject* instance, const TPropInfo* prop)
{
  if (!prop || !prop->Access.GetFloat)
    NoAccess(prop);
  return prop->Access.GetFloat(instance);
}

void SetFloatProp(TObject* instance, const TPropInfo* prop, double value)
{
  if (!prop || !prop->Access.SetFloat)
    NoAccess(prop);
  prop->Access.SetFloat(instance, value);
}

std::string GetStrProp(TObject* instance, const TPropInfo* prop)
{
  if (!prop || !prop->Access.GetStr)
    NoAccess(prop);
  return prop->Access.GetStr(instance);
}

void SetStrProp(TObject* instance, const TPropInfo* prop, const std::string& value)
{
  if (!prop || !prop->Access.SetStr)
    NoAccess(prop);
  prop->Access.SetStr(instance, value);
}

bool IsStoredProp(TObject* instance, const TPropInfo* prop)
{
  if (!prop)
    return false;
  if (prop->StoredProc <= 1)
    return prop->StoredProc == 1;
  return prop->Access.Stored ? prop->Access.Stored(instance) : true;
}

// Declaration helpers ----------------------------------------------------------

namespace typinfo_detail {

std::string BareName(const char* name)
{
  std::string s = name;
  if (auto colons = s.rfind("::"); colons != std::string::npos)
    s.erase(0, colons + 2);
  return s;
}

void InitEnum(TTypeInfo& info, const char* unitName, const char* names, TOrdType ordType)
{
  std::vector<std::string> list;
  std::string current;
  auto flush = [&] {
    auto first = current.find_first_not_of(" \t\r\n");
    auto last = current.find_last_not_of(" \t\r\n");
    list.push_back(first == std::string::npos ? std::string() : current.substr(first, last - first + 1));
    current.clear();
  };
  for (const char* p = names; *p; ++p) {
    if (*p == ',')
      flush();
    else
      current += *p;
  }
  flush();
  info.Data.OrdType = ordType;
  info.Data.MinValue = 0;
  info.Data.MaxValue = std::int32_t(list.size()) - 1;
  info.Data.BaseType = &info;
  info.Data.NameList = std::move(list);
  info.Data.UnitName = unitName ? unitName : "";
}

void InitSet(TTypeInfo& info, PTypeInfo elementType)
{
  info.Data.CompType = elementType;
  std::size_t size = SetTypeSize(&info);
  info.Data.OrdType = size == 1 ? otUByte : size == 2 ? otUWord : otULong;
}

void InitInterface(TTypeInfo& info, PTypeInfo parent, const char* unitName, const GUID& iid)
{
  info.Data.ParentInfo = parent;
  info.Data.UnitName = unitName ? unitName : "";
  info.Data.Guid = iid;
  if (!(iid == GUID{}))
    info.Data.IntfFlags += ifHasGuid;
}

void FinishClass(TTypeInfo& info, PTypeInfo parent, const char* unitName, const std::type_info& type)
{
  info.Data.ClassType = &type;
  info.Data.ParentInfo = parent;
  info.Data.UnitName = unitName ? unitName : "";
  std::int16_t inherited = parent ? parent->Data.PropCount : 0;
  for (std::size_t i = 0; i < info.Data.Props.size(); ++i)
    info.Data.Props[i].NameIndex = std::int16_t(inherited + std::int16_t(i));
  info.Data.PropCount = std::int16_t(inherited + std::int16_t(info.Data.Props.size()));
}

}  // namespace typinfo_detail
