// The parser's exception class and its texts. The tokenizer itself reads on
// through what these texts name (an unclosed comment becomes text, control
// characters are dropped), so that the rest of a document is never lost; the
// document builder catches this class, with the class library's others.
#pragma once

#include "platform/base/Exception.h"

CORVANE_DECLARE_EXCEPTION(EParseError, Exception);

inline constexpr const char* SOpenComment = "Open Comment at End of HTML File";
inline constexpr const char* SNotHtml = "Not an HTML or Text document";
