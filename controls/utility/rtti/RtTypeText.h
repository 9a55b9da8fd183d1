// Text forms of type information: an ordinal as its enumeration name, GUIDs,
// and sets to and from text in the stored bitmap layout (element E of a set
// whose element type runs from Min to Max is bit (E - Min) + Min mod 8,
// bit N being bit N mod 8 of byte N div 8).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/base/Interface.h"
#include "platform/classes/typinfo/TypInfo.h"

// The enumeration name of the ordinal stored at Address (read with the size
// and sign of the type's ordinal kind), or "Value out of range (ordinal=N).".
std::string OrdinalToText(PTypeInfo EnumType, const void* Address);
// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" in lower case.
std::string GuidToText(const GUID& Guid);

// The set's elements appended to Strings: names for an enumeration element
// type, decimal numbers otherwise; runs of two or more as "first .. last"
// when WantRanges. Value must hold SetTypeSize(SetType) bytes (ERangeError).
void SetElementsToList(PTypeInfo SetType, std::span<const std::uint8_t> Value, bool WantRanges,
                       std::vector<std::string>& Strings);
// Fills the set from entries "name", "n" or "low .. high": the set's own bytes
// are cleared first, then every listed element is set. An unknown name raises
// ERtRTTI "Unknown identifier 'x'.", a bad number EConvertError, and an
// element outside the element type's range ERtRTTI "Value out of range
// (ordinal=n)."; on any error Value is left as it was.
void SetListToElements(PTypeInfo SetType, std::span<std::uint8_t> Value, const std::vector<std::string>& Strings);

std::string SetToText(PTypeInfo SetType, std::span<const std::uint8_t> Value, bool WantBrackets, bool WantRanges);
void TextToSet(PTypeInfo SetType, std::span<std::uint8_t> Value, const std::string& Text);

template <class E>
std::string SetToText(const Set<E>& Value, bool WantBrackets = true, bool WantRanges = false)
{
  return SetToText(TypeInfo<Set<E>>(), std::span<const std::uint8_t>(Value.Bytes(), Set<E>::Size), WantBrackets,
                   WantRanges);
}

template <class E>
Set<E> TextToSet(const std::string& Text)
{
  Set<E> value;
  TextToSet(TypeInfo<Set<E>>(), std::span<std::uint8_t>(value.Bytes(), Set<E>::Size), Text);
  return value;
}
