// TXmlVariant: late-bound access to an element of the simple XML document, by
// the names of its children and attributes, as scripts reach a document.
// Copying copies the element reference.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "chatwin/widgets/Forward.h"
#include "platform/base/Utf.h"

class TXmlVariant;

// What reading a property by name finds.
struct TXmlProperty {
  enum TKind { None, Element, Value };
  TKind Kind = None;
  TUtSimpleXMLElem* Elem = nullptr;  // for Element
  WideString Text;                   // for Value
};

// One argument of a call by name.
struct TXmlArgument {
  enum TKind { Empty, Integer, Other };
  TKind Kind = Empty;
  std::int64_t Value = 0;
};

class TXmlVariant {
public:
  TXmlVariant() = default;
  explicit TXmlVariant(TUtSimpleXMLElem* Elem) : FElem(Elem) {}

  TUtSimpleXMLElem* Elem() const { return FElem; }
  // Clear when there is no element or it has no children.
  bool IsClear() const;

  // The element's text form ("" without an element).
  std::string AsString() const;
  WideString AsWideString() const;
  // No other conversion exists: these raise EVariantError.
  std::int32_t AsInteger() const;
  double AsFloat() const;
  bool AsBoolean() const;

  // The child element of that name, else the value of the attribute of that
  // name, else none. With the document's sxoAutoCreate the child is created.
  TXmlProperty GetProperty(const std::string& Name) const;
  // Sets the value of the child element of that name, else of the attribute
  // of that name; false when there is neither.
  bool SetProperty(const std::string& Name, const std::string& Value) const;
  // With exactly one argument N, empty (the first) or an integer: the N-th
  // child (from 1) whose name equals Name without regard to case. None when
  // the call is not handled (other arguments, fewer such children).
  std::optional<TXmlVariant> Call(const std::string& Name, const std::vector<TXmlArgument>& Args) const;

private:
  TUtSimpleXMLElem* FElem = nullptr;
};
