// A node of the simple XML document: name, namespace prefix, value, parent,
// children and attributes (both lists created on first use), and for the root
// only a link to its document.
#pragma once

#include <memory>
#include <string>

#include "chatwin/widgets/Forward.h"
#include "platform/base/Object.h"

class TStream;

// The count of nodes written while a document saves itself.
struct TUtSimpleXMLSaveProgress {
  TUtSimpleXML* Document = nullptr;
  int Written = 0;
  int Total = 0;
};

class TUtSimpleXMLElem : public TObject {
public:
  explicit TUtSimpleXMLElem(TUtSimpleXMLElem* Parent = nullptr);
  ~TUtSimpleXMLElem() override;
  TUtSimpleXMLElem(const TUtSimpleXMLElem&) = delete;
  TUtSimpleXMLElem& operator=(const TUtSimpleXMLElem&) = delete;

  // Empties the children and the attributes.
  virtual void Clear();
  // The node's reader, from the first character of the node on. Document,
  // when given, hears of what is parsed.
  virtual void ReadFrom(TXmlSource& Source, TUtSimpleXML* Document, int Depth) = 0;
  // The node's writer: Level is the indent put before each of its lines.
  virtual void WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress) = 0;

  // Reads the node from the stream's position and leaves the stream just
  // after it (TUtSimpleXMLInvalid on an error).
  void LoadFromStream(TStream& Stream, TUtSimpleXML* Document = nullptr);
  void SaveToStream(TStream& Stream, const std::string& Level = {}, TUtSimpleXMLSaveProgress* Progress = nullptr);
  // The node's text form: the node written with an empty indent.
  std::string SaveToString();

  const std::string& Name() const { return FName; }
  // Renames the node, and its key in the list that holds it.
  void SetName(const std::string& Value);
  const std::string& NameSpace() const { return FNameSpace; }
  void SetNameSpace(const std::string& Value) { FNameSpace = Value; }
  // The name as written: "prefix:name", or the name alone.
  std::string FullName() const;
  const std::string& Value() const { return FValue; }
  void SetValue(const std::string& Value) { FValue = Value; }

  TUtSimpleXMLElem* Parent() const { return FParent; }
  TUtSimpleXMLElems* Items();
  TUtSimpleXMLProps* Properties();
  // Counts that create no list.
  int ItemCount() const;
  int PropertyCount() const;
  TUtSimpleXMLElems* ItemsIfAny() const { return FItems.get(); }
  TUtSimpleXMLProps* PropertiesIfAny() const { return FProps.get(); }

  // The document of the tree the node belongs to (the root keeps the link).
  TUtSimpleXML* SimpleXML() const;
  void SetSimpleXML(TUtSimpleXML* Document) { FSimpleXML = Document; }

  // The number of nodes written by WriteTo for this node.
  virtual int NodeCount() const;

protected:
  // Counts one more node written and tells the document.
  static void NodeWritten(TUtSimpleXMLSaveProgress* Progress);

private:
  friend class TUtSimpleXMLElems;

  std::string FName;
  std::string FNameSpace;
  std::string FValue;
  TUtSimpleXMLElem* FParent;
  TUtSimpleXMLElems* FContainer = nullptr;  // the list that holds the node
  std::unique_ptr<TUtSimpleXMLElems> FItems;
  std::unique_ptr<TUtSimpleXMLProps> FProps;
  TUtSimpleXML* FSimpleXML = nullptr;
};
