// The bodies of the fuzz targets of the chat library's parsers, shared by the
// fuzzers (built with clang) and by the replay test of the normal run.
#pragma once

#include <cstddef>
#include <cstdint>

// RtfToText of the input as it is and behind the RTF signature.
void FuzzRtfToText(const std::uint8_t* Data, std::size_t Size);
// Reads the input as an XML document; a reading error is a clean end, any
// other failure escapes. A document that loads is written back.
void FuzzUtSimpleXML(const std::uint8_t* Data, std::size_t Size);
