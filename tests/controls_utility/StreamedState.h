// A component's defined properties as the form stream holds them, and back:
// for the tests of what the library's components store with their form.
#pragma once

#include <string>

#include "platform/base/MemoryStream.h"
#include "platform/classes/components/Component.h"
#include "platform/classes/components/Reader.h"
#include "platform/classes/components/Writer.h"

// The bytes TWriter writes for Component (only its differences from Ancestor
// when one is given).
inline std::string WrittenState(TComponent* Component, TPersistent* Ancestor = nullptr)
{
  TMemoryStream stream;
  TWriter writer(&stream);
  writer.SetAncestor(Ancestor);
  Component->WriteState(&writer);
  return std::string(static_cast<const char*>(stream.Memory()), std::size_t(stream.Size()));
}

// Reads such bytes into Component, as loading its form does.
inline void ReadState(TComponent* Component, const std::string& Bytes)
{
  TMemoryStream stream;
  stream.WriteBuffer(Bytes.data(), Integer(Bytes.size()));
  stream.SetPosition(0);
  TReader reader(&stream);
  Component->ReadState(&reader);
}
