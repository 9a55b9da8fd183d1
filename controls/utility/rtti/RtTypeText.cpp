#include "controls/utility/rtti/RtTypeText.h"

#include <cstdio>

#include "controls/utility/UtConsts.h"
#include "controls/utility/UtExceptions.h"
#include "controls/utility/detail/Text.h"
#include "platform/base/Format.h"
#include "platform/base/IntConversions.h"
#include "platform/base/StringRoutines.h"
#include "controls/utility/rtti/RtRTTI.h"


std::string OrdinalToText(PTypeInfo EnumType, const void* Address)
{
  if (!EnumType || !Address)
    return {};
  std::int64_t value = OrdTypeSize(EnumType->Data.OrdType) ? ReadOrdinal(EnumType->Data.OrdType, Address) : 0;
  if (value >= OrdinalMin(EnumType) && value <= OrdinalMax(EnumType))
    return GetEnumName(EnumType, value);
  return Format(RsRTTIValueOutOfRange, RsRTTIOrdinal + std::to_string(value));
}

std::string GuidToText(const GUID& Guid)
{
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "{%.8x-%.4x-%.4x-%.2x%.2x-%.2x%.2x%.2x%.2x%.2x%.2x}", unsigned(Guid.D1),
                unsigned(Guid.D2), unsigned(Guid.D3), Guid.D4[0], Guid.D4[1], Guid.D4[2], Guid.D4[3], Guid.D4[4],
                Guid.D4[5], Guid.D4[6], Guid.D4[7]);
  return buffer;
}

namespace {

struct SetLayout {
  PTypeInfo Element = nullptr;
  std::int64_t Min = 0;
  std::int64_t Max = -1;
  int FirstBit = 0;
  int LastBit = -1;
};

SetLayout LayoutOf(PTypeInfo setType, std::size_t available)
{
  SetLayout l;
  l.Element = setType ? setType->Data.CompType : nullptr;
  std::size_t size = SetTypeSize(setType);
  if (!l.Element || size == 0 || available < size)
    ut_detail::RangeError();
  l.Min = OrdinalMin(l.Element);
  l.Max = OrdinalMax(l.Element);
  l.FirstBit = int(l.Min % 8);
  l.LastBit = l.FirstBit + int(l.Max - l.Min);
  return l;
}

std::string ElementText(const SetLayout& l, std::int64_t value)
{
  return l.Element->Kind == tkEnumeration ? GetEnumName(l.Element, value) : std::to_string(value);
}

std::int64_t BoundValue(const SetLayout& l, const std::string& text)
{
  std::int64_t value;
  if (l.Element->Kind == tkEnumeration) {
    value = -1;
    for (std::int64_t v = l.Max; v >= l.Min; --v)
      if (SameText(GetEnumName(l.Element, v), text)) {
        value = v;
        break;
      }
    if (value < 0)
      throw ERtError::CreateFromResource<ERtRTTI>(RsRTTIUnknownIdentifier, text);
  } else {
    value = StrToInt(text);
  }
  // The bits of elements outside the range lie outside the set.
  if (value < l.Min || value > l.Max)
    throw ERtError::CreateFromResource<ERtRTTI>(RsRTTIValueOutOfRange, RsRTTIOrdinal + std::to_string(value));
  return value;
}

}  // namespace

void SetElementsToList(PTypeInfo SetType, std::span<const std::uint8_t> Value, bool WantRanges,
                       std::vector<std::string>& Strings)
{
  SetLayout l = LayoutOf(SetType, Value.size());
  auto isSet = [&](int bit) { return (Value[std::size_t(bit / 8)] >> (bit % 8)) & 1; };
  int bit = l.FirstBit;
  while (bit <= l.LastBit) {
    if (!isSet(bit)) {
      ++bit;
      continue;
    }
    int runEnd = bit;
    while (runEnd + 1 <= l.LastBit && isSet(runEnd + 1))
      ++runEnd;
    std::int64_t first = l.Min + (bit - l.FirstBit), last = l.Min + (runEnd - l.FirstBit);
    if (WantRanges && runEnd > bit) {
      Strings.push_back(ElementText(l, first) + " .. " + ElementText(l, last));
    } else {
      for (std::int64_t e = first; e <= last; ++e)
        Strings.push_back(ElementText(l, e));
    }
    bit = runEnd + 1;
  }
}

void SetListToElements(PTypeInfo SetType, std::span<std::uint8_t> Value, const std::vector<std::string>& Strings)
{
  SetLayout l = LayoutOf(SetType, Value.size());
  std::vector<std::uint8_t> work(Value.begin(), Value.end());
  for (int byte = l.FirstBit / 8; byte <= l.LastBit / 8; ++byte)
    work[std::size_t(byte)] = 0;
  for (const std::string& entry : Strings) {
    std::string item = Trim(entry);
    if (item.empty())
      continue;
    std::string lowText = item, highText = item;
    if (auto dots = item.find(".."); dots != std::string::npos) {
      lowText = Trim(item.substr(0, dots));
      highText = Trim(item.substr(dots + 2));
    }
    std::int64_t low = BoundValue(l, lowText);
    std::int64_t high = BoundValue(l, highText);
    for (std::int64_t e = low; e <= high; ++e) {
      int bit = int(e - l.Min) + l.FirstBit;
      work[std::size_t(bit / 8)] |= std::uint8_t(1u << (bit % 8));
    }
  }
  std::copy(work.begin(), work.end(), Value.begin());
}

std::string SetToText(PTypeInfo SetType, std::span<const std::uint8_t> Value, bool WantBrackets, bool WantRanges)
{
  std::vector<std::string> list;
  SetElementsToList(SetType, Value, WantRanges, list);
  std::string text;
  for (std::size_t i = 0; i < list.size(); ++i)
    text += (i ? ", " : "") + list[i];
  return WantBrackets ? "[" + text + "]" : text;
}

void TextToSet(PTypeInfo SetType, std::span<std::uint8_t> Value, const std::string& Text)
{
  std::vector<std::string> entries;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = Text.find(',', start);
    if (comma == std::string::npos) {
      if (start < Text.size())
        entries.push_back(Text.substr(start));
      break;
    }
    entries.push_back(Text.substr(start, comma - start));
    start = comma + 1;
  }
  if (!entries.empty() && !entries.front().empty() && entries.front()[0] == '[') {
    entries.front().erase(0, 1);
    if (!entries.back().empty())
      entries.back().pop_back();
  }
  SetListToElements(SetType, Value, entries);
}
