// Reading a fixed opening text, character by character.
#pragma once

#include <string>
#include <string_view>

#include "chatwin/widgets/UtSimpleXMLInvalid.h"
#include "chatwin/widgets/detail/XmlSource.h"

// Consumes Expected; a different character raises Error (a text with the
// expected and the found character), the end of the data raises EndError.
inline void ExpectText(TXmlSource& Source, std::string_view Expected, const char* Error, const char* EndError)
{
  for (char wanted : Expected) {
    char c;
    if (!Source.Next(c))
      XmlError(EndError);
    if (c != wanted)
      XmlError(Error, std::string(1, wanted), std::string(1, c));
  }
}
