// Fuzz entry for the utility library's readers of outside text: the settings
// file parser, set texts (through an enumeration set and an integer set) and
// the base-64 decoder. The first byte chooses the reader.
#include <cstddef>
#include <cstdint>
#include <string>

#include "controls/utility/RtMime.h"
#include "controls/utility/UtExceptions.h"
#include "controls/utility/rtti/RtTypeText.h"
#include "controls/utility/storage/UtFileAppStorage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (size == 0)
    return 0;
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  static auto letters = NewEnumType("TLetter", "Fuzz", {"a", "b", "c", "d", "e"});
  static auto letterSet = NewSetType("TLetters", letters.get());
  static auto range = NewOrdinalType(tkInteger, "TRange", otUByte, 6, 200);
  static auto rangeSet = NewSetType("TRangeSet", range.get());
  try {
    switch (data[0] % 4) {
      case 0: {
        TUtMemoryAppStorage::TValueMap values;
        TUtFileAppStorage::Parse(text, values);
        // What was read is written and read again unchanged.
        TUtMemoryAppStorage::TValueMap again;
        TUtFileAppStorage::Parse(TUtFileAppStorage::Serialize(values), again);
        if (again != values)
          __builtin_trap();
        break;
      }
      case 1: {
        std::uint8_t set[1] = {};
        TextToSet(letterSet.get(), set, text);
        break;
      }
      case 2: {
        std::uint8_t set[32] = {};
        TextToSet(rangeSet.get(), std::span<std::uint8_t>(set, SetTypeSize(rangeSet.get())), text);
        break;
      }
      default:
        if (Base64Decode(Base64Encode(text)) != text)
          __builtin_trap();
        Base64Decode(text);
        break;
    }
  } catch (const Exception&) {
    // Refusals are answers, not faults.
  }
  return 0;
}
