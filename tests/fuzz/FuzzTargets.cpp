#include "tests/fuzz/FuzzTargets.h"

#include <string>
#include <string_view>

#include "chatwin/RtfToText.h"
#include "chatwin/widgets/UtSimpleXML.h"
#include "chatwin/widgets/UtSimpleXMLInvalid.h"
#include "platform/base/StringStream.h"

void FuzzRtfToText(const std::uint8_t* Data, std::size_t Size)
{
  std::string_view input(reinterpret_cast<const char*>(Data), Size);
  RtfToText(input);
  RtfToText("{\\rtf1" + std::string(input));
}

void FuzzUtSimpleXML(const std::uint8_t* Data, std::size_t Size)
{
  TStringStream input(std::string_view(reinterpret_cast<const char*>(Data), Size));
  TUtSimpleXML xml;
  try {
    xml.LoadFromStream(input);
  } catch (const TUtSimpleXMLInvalid&) {
    return;
  }
  TStringStream output;
  xml.SaveToStream(output);
}
