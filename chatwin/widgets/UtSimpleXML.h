// TUtSimpleXML: a small XML document: a prolog (header, document type, style
// sheets and comments before the root) and a tree of elements with
// attributes, read from a file or a stream by one hand-written reader per
// kind of node, and written back as indented text. Texts are 8-bit (UTF-8):
// no encoding is converted. Reading errors raise TUtSimpleXMLInvalid.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "chatwin/widgets/Forward.h"
#include "platform/base/Method.h"
#include "platform/base/Set.h"
#include "platform/classes/components/Component.h"

class TStream;

enum TUtSimpleXMLOption { sxoAutoCreate, sxoAutoIndent };
CORVANE_ENUM_RANGE(TUtSimpleXMLOption, 0, 1);
using TUtSimpleXMLOptions = Set<TUtSimpleXMLOption>;

using TUtSimpleXMLTagEvent = Method<void(TObject* Sender, const std::string& Name)>;
using TUtSimpleXMLValueEvent = Method<void(TObject* Sender, const std::string& Name, const std::string& Value)>;
using TUtSimpleXMLProgressEvent = Method<void(TObject* Sender, std::int64_t Position, std::int64_t Total)>;

// A component: the chat window's form owns one.
class TUtSimpleXML : public TComponent {
public:
  explicit TUtSimpleXML(TComponent* AOwner = nullptr);
  ~TUtSimpleXML() override;
  TUtSimpleXML(const TUtSimpleXML&) = delete;
  TUtSimpleXML& operator=(const TUtSimpleXML&) = delete;

  // Reads the whole file, then the document from it.
  void LoadFromFile(const std::string& FileName);
  // Clears the document and reads the prolog and the root from the stream's
  // position; the stream is left just after what was read. A failed read
  // keeps the nodes read so far.
  void LoadFromStream(TStream& Stream);
  // Writes the prolog, then the root.
  void SaveToStream(TStream& Stream);

  TUtSimpleXMLElemClassic* Root() const { return FRoot.get(); }
  TUtSimpleXMLElemsProlog* Prolog() const { return FProlog.get(); }

  const std::string& FileName() const { return FFileName; }
  // Stores the name and reads that file at once.
  void SetFileName(const std::string& Value);
  const std::string& IndentString() const { return FIndentString; }
  // Taken only when made of blanks and tabs; otherwise the old value stays.
  void SetIndentString(const std::string& Value);
  TUtSimpleXMLOptions Options() const { return FOptions; }
  void SetOptions(TUtSimpleXMLOptions Value) { FOptions = Value; }

  TUtSimpleXMLTagEvent OnTagParsed;
  TUtSimpleXMLValueEvent OnValueParsed;
  TUtSimpleXMLProgressEvent OnLoadProgress;
  TUtSimpleXMLProgressEvent OnSaveProgress;

  // What the readers and writers tell the document.
  void DoTagParsed(const std::string& Name, const std::string& Value);
  void DoLoadProgress(std::int64_t Position, std::int64_t Total);
  void DoSaveProgress(std::int64_t Position, std::int64_t Total);

private:
  std::unique_ptr<TUtSimpleXMLElemClassic> FRoot;
  std::unique_ptr<TUtSimpleXMLElemsProlog> FProlog;
  std::string FFileName;
  std::string FIndentString = "  ";
  TUtSimpleXMLOptions FOptions{sxoAutoIndent};
};
