// The CSS reader: the rules of a style sheet (a STYLE element's text or a
// linked file) into a sink, and the declarations of a STYLE attribute into a
// property set. Selectors are normalised, values lower-cased and trimmed,
// shorthands expanded into longhands, at-rules and comments skipped, and
// url() references of a sheet with a base made absolute against it. It knows
// no property values: every longhand goes to the sink as text.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/Method.h"

class TProperties;

// Where a style sheet's declarations go: the document's style list, or a
// recorder in tests.
class TCssSink {
public:
  virtual ~TCssSink() = default;
  // The style list's running number for descendant selectors; taking it advances it.
  virtual std::string NextSequence() = 0;
  virtual bool AddModifyProp(const std::string& Selector, const std::string& PropName, const std::string& Value) = 0;
};

// The source of a sheet's characters; NUL or 26 ends the text.
using TCssGetChar = Method<char()>;

// Reads rules from Source until "<" or the end of text, and leaves Source on
// the character that stopped it. Peek answers the next character without
// reading it (it tells the "<!--" around a sheet from the "<" after it). Ch is
// the caller's current character on entry and, on return, the upper-cased
// character that stopped the sheet (NUL at the end of text).
void ParseStyleSheet(TCssSink& Sink, char& Ch, TCssGetChar Source, TCssGetChar Peek, const std::string& BaseUrl);
// A sheet held as text (a linked file): LF skipped, TAB read as a space.
void ParseStyleSheetText(TCssSink& Sink, std::string_view Text, const std::string& BaseUrl);
// The declarations of a STYLE attribute, into Props.
void ParseStyleAttribute(std::string_view Text, TProperties& Props);
