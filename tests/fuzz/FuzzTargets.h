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
// A message of the kind the first byte picks (and own or not) through the
// smiley processor into the chat window's document, built and laid out; a
// plain message must stay text. A broken expectation throws std::logic_error.
void FuzzChatMessage(const std::uint8_t* Data, std::size_t Size);
