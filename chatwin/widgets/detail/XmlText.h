// Character escaping and decoding of the simple XML document's values.
#pragma once

#include <string>
#include <string_view>

// Appends Text with '"', '&', '\'', '<' and '>' as entities and every byte
// from 128 to 255 as "&#xhh;" (two lower-case digits).
void AppendXmlEscaped(std::string& Out, std::string_view Text);

// The value of Text read from a document, in one left-to-right pass: CR
// becomes LF and a run of one character below "!" shrinks to one; the five
// entities (any case) and numeric references ("&#65;", "&#x41;") of codes
// above 0 become characters, codes above 255 as their UTF-8 sequence; any
// other ampersand stays as it is.
std::string XmlDecode(std::string_view Text);
