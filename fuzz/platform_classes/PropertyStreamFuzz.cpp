// Fuzz entry for the property-stream reader (defined properties of
// components): whatever the bytes, reading ends in values or an EReadError,
// never a crash, a hang or an allocation beyond the input's size.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/MemoryStream.h"
#include "platform/classes/components/Component.h"
#include "platform/classes/components/Reader.h"

namespace {

// Defines a property of each value shape, and one that skips whatever it holds.
class TTarget : public TComponent {
public:
  TTarget() : TComponent(nullptr) {}
  std::vector<std::string> Strings;
  std::int64_t Number = 0;
  bool Flag = false;
  std::size_t Bytes = 0;
  std::u16string Wide;

protected:
  void DefineProperties(TFiler* Filer) override
  {
    Filer->DefineProperty("B", TReaderProc(this, &TTarget::ReadFlag), nullptr, false);
    Filer->DefineProperty("I", TReaderProc(this, &TTarget::ReadNumber), nullptr, false);
    Filer->DefineProperty("S", TReaderProc(this, &TTarget::ReadStrings), nullptr, false);
    Filer->DefineProperty("X", TReaderProc(this, &TTarget::Skip), nullptr, false);
    Filer->DefineProperty("W", TReaderProc(this, &TTarget::ReadWide), nullptr, false);
    Filer->DefineBinaryProperty("D", TStreamProc(this, &TTarget::ReadBytes), nullptr, false);
  }

private:
  void ReadFlag(TReader* r) { Flag = r->ReadBoolean(); }
  void ReadNumber(TReader* r) { Number = r->ReadInt64(); }
  void ReadStrings(TReader* r)
  {
    r->ReadListBegin();
    while (!r->EndOfList())
      Strings.push_back(r->ReadString());
    r->ReadListEnd();
  }
  void Skip(TReader* r) { r->SkipValue(); }
  void ReadWide(TReader* r) { Wide = r->ReadWideString(); }
  void ReadBytes(TStream* s) { Bytes += std::size_t(s->Size()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  TMemoryStream stream;
  stream.WriteBuffer(data, Integer(size));
  stream.SetPosition(0);
  TTarget target;
  TReader reader(&stream);
  try {
    target.ReadState(&reader);
  } catch (const Exception&) {
  }
  if (stream.Position() > stream.Size())
    __builtin_trap();
  return 0;
}
