// TFiler: what a persistent object sees of a reader or writer when it defines
// properties of its own (DefineProperties): Boolean, integer, text and list
// values through TReader/TWriter, raw bytes through binary properties.
//
// Stream format (the class library's property values): a property is its name
// as a length-prefixed string (one length byte) followed by a value; a value is
// a one-byte TValueType tag and its data (little-endian): vaInt8/16/32 and
// vaInt64 signed integers, vaString (byte length) and vaLString/vaUTF8String
// (32-bit length) UTF-8 text, vaWString (32-bit count of UTF-16 units),
// vaIdent (byte length), vaFalse/vaTrue/vaNil/vaNull without data, vaBinary
// (32-bit size and the bytes), vaList (values up to vaNull), vaSingle (4
// bytes), vaExtended (10 bytes), vaCurrency/vaDate (8 bytes), vaSet (names up to
// an empty one), vaCollection (items up to vaNull). A property list ends with
// vaNull.
#pragma once

#include <cstdint>
#include <string>

#include "platform/base/Method.h"
#include "platform/base/Object.h"
#include "platform/classes/Forward.h"

class TStream;
class TPersistent;

enum TValueType : std::uint8_t {
  vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary, vaSet,
  vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String
};

using TReaderProc = Method<void(TReader* Reader)>;
using TWriterProc = Method<void(TWriter* Writer)>;
using TStreamProc = Method<void(TStream* Stream)>;

class TFiler : public TObject {
public:
  explicit TFiler(TStream* Stream) : FStream(Stream) {}

  // A property stored by the object itself. The reader calls ReadData when the
  // stream holds the property; the writer calls WriteData when HasData.
  virtual void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData,
                              bool HasData) = 0;
  // The same for raw bytes: ReadData gets a stream over exactly the stored bytes.
  virtual void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                                    bool HasData) = 0;

  TComponent* Root() const { return FRoot; }
  void SetRoot(TComponent* Value) { FRoot = Value; }
  TComponent* LookupRoot() const { return FLookupRoot ? FLookupRoot : FRoot; }
  void SetLookupRoot(TComponent* Value) { FLookupRoot = Value; }
  // The object being compared with when only differences are stored (null: none).
  TPersistent* Ancestor() const { return FAncestor; }
  void SetAncestor(TPersistent* Value) { FAncestor = Value; }
  bool IgnoreChildren() const { return FIgnoreChildren; }
  void SetIgnoreChildren(bool Value) { FIgnoreChildren = Value; }
  TStream* Stream() const { return FStream; }

protected:
  TStream* FStream;

private:
  TComponent* FRoot = nullptr;
  TComponent* FLookupRoot = nullptr;
  TPersistent* FAncestor = nullptr;
  bool FIgnoreChildren = false;
};
