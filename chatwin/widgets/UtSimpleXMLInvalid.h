// The reading errors of the simple XML document and their texts.
#pragma once

#include <string>

#include "platform/base/Exception.h"
#include "platform/base/Format.h"

class TUtSimpleXMLInvalid : public Exception {
public:
  using Exception::Exception;
};

inline constexpr const char* SInvalidElementBegin = "Invalid XML Element: Expected beginning of tag but \"%s\" found";  // E1
inline constexpr const char* SInvalidElementEnd = "Invalid XML Element: Expected end of tag but \"%s\" found";  // E2
inline constexpr const char* SInvalidElementName = "Invalid XML Element: malformed tag found (no valid name)";  // E3
inline constexpr const char* SInvalidElementEndTag =
    "Invalid XML Element: Erroneous end of tag, expecting </%s> but </%s> found";  // E4
inline constexpr const char* SInvalidProperty =
    "Invalid XML Element: Unexpected character in property declaration (\"%s\" found)";  // E5
inline constexpr const char* SInvalidPropertyQuote =
    "Invalid XML Element: Unexpected character in property declaration. Expecting \" or ' but \"%s\"  found";  // E6
inline constexpr const char* SInvalidCommentExpected = "Invalid Comment: expected \"%s\" but found \"%s\"";  // E7
inline constexpr const char* SInvalidCommentDashes = "Invalid Comment: \"--\" not allowed inside comments";  // E8
inline constexpr const char* SInvalidCommentEnd = "Invalid Comment: Unexpected end of data";  // E9
inline constexpr const char* SInvalidCDataExpected = "Invalid CDATA: expected \"%s\" but found \"%s\"";  // E10
inline constexpr const char* SInvalidCDataEnd = "Invalid CDATA: Unexpected end of data";  // E11
inline constexpr const char* SInvalidHeaderExpected = "Invalid Header: expected \"%s\" but found \"%s\"";  // E12
inline constexpr const char* SInvalidStylesheetExpected = "Invalid Stylesheet: expected \"%s\" but found \"%s\"";  // E13
inline constexpr const char* SInvalidStylesheetEnd = "Invalid Stylesheet: Unexpected end of data";  // E14
inline constexpr const char* SInvalidDocumentProlog = "Invalid Document: Unexpected text in file prolog";  // E15
// The end of data inside a header or a document type declaration.
inline constexpr const char* SInvalidDocumentEnd = "Invalid Document: Unexpected end of data";
// Elements nested deeper than the readers follow.
inline constexpr const char* SInvalidElementDepth = "Invalid XML Element: elements nested too deeply";

template <class... A>
[[noreturn]] void XmlError(const char* Text, const A&... Args)
{
  throw TUtSimpleXMLInvalid(Format(Text, Args...));
}
