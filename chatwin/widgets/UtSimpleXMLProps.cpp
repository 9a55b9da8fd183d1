#include "chatwin/widgets/UtSimpleXMLProps.h"

#include "chatwin/widgets/UtSimpleXML.h"
#include "chatwin/widgets/UtSimpleXMLElem.h"
#include "chatwin/widgets/UtSimpleXMLInvalid.h"
#include "chatwin/widgets/UtSimpleXMLProp.h"
#include "chatwin/widgets/detail/XmlSource.h"
#include "chatwin/widgets/detail/XmlText.h"
#include "platform/base/ScopeGuard.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameChar(char c)
{
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

enum class TAttributeState { Between, InName, AfterName, AfterEquals, InValue };

}  // namespace

TUtSimpleXMLProps::TUtSimpleXMLProps(TUtSimpleXMLElem* Parent) : FParent(Parent) {}

TUtSimpleXMLProps::~TUtSimpleXMLProps()
{
  Clear();
}

TUtSimpleXMLProp* TUtSimpleXMLProps::Add(const std::string& Name, const std::string& Value)
{
  auto* prop = new TUtSimpleXMLProp(this, Name, Value);
  OnFailure freeing([&] { delete prop; });
  FProps.AddObject(Name, prop);
  return prop;
}

TUtSimpleXMLProp* TUtSimpleXMLProps::ItemNamed(const std::string& Name)
{
  int index = FProps.IndexOf(Name);
  if (index >= 0)
    return Item(index);
  TUtSimpleXML* document = FParent ? FParent->SimpleXML() : nullptr;
  if (document && document->Options().Contains(sxoAutoCreate))
    return Add(Name, {});
  return nullptr;
}

std::string TUtSimpleXMLProps::Value(const std::string& Name, const std::string& Default) const
{
  int index = FProps.IndexOf(Name);
  return index >= 0 ? Item(index)->Value() : Default;
}

TUtSimpleXMLProp* TUtSimpleXMLProps::Item(int Index) const
{
  if (Index < 0 || Index >= FProps.Count())
    return nullptr;
  return static_cast<TUtSimpleXMLProp*>(FProps.Objects(Index));
}

void TUtSimpleXMLProps::Clear()
{
  for (int i = FProps.Count() - 1; i >= 0; --i)
    delete static_cast<TUtSimpleXMLProp*>(FProps.Objects(i));
  FProps.Clear();
}

void TUtSimpleXMLProps::Renamed(TUtSimpleXMLProp* Prop)
{
  int index = FProps.IndexOfObject(Prop);
  if (index >= 0)
    FProps.SetStrings(index, Prop->Name());
}

void TUtSimpleXMLProps::ReadAttributes(TXmlSource& Source, TUtSimpleXMLElem& Owner)
{
  TAttributeState state = TAttributeState::Between;
  std::string name;
  std::string prefix;
  std::string value;
  char quote = 0;
  char c;
  while (Source.Next(c)) {
    switch (state) {
    case TAttributeState::Between:
      if (IsBlank(c))
        break;
      if (IsNameChar(c)) {
        // Each attribute carries only the prefix written before its own name.
        name.assign(1, c);
        prefix.clear();
        state = TAttributeState::InName;
      } else if (c == '/' || c == '>' || c == '?') {
        Source.Reset(Source.Position() - 1);
        return;
      } else {
        XmlError(SInvalidProperty, std::string(1, c));
      }
      break;
    case TAttributeState::InName:
      if (IsNameChar(c)) {
        name.push_back(c);
      } else if (c == ':') {
        prefix = name;
        name.clear();
      } else if (c == '=') {
        state = TAttributeState::AfterEquals;
      } else if (IsBlank(c)) {
        state = TAttributeState::AfterName;
      } else {
        XmlError(SInvalidProperty, std::string(1, c));
      }
      break;
    case TAttributeState::AfterName:
      if (c == '=')
        state = TAttributeState::AfterEquals;
      else if (!IsBlank(c))
        XmlError(SInvalidProperty, std::string(1, c));
      break;
    case TAttributeState::AfterEquals:
      if (c == '"' || c == '\'') {
        quote = c;
        value.clear();
        state = TAttributeState::InValue;
      } else if (!IsBlank(c)) {
        XmlError(SInvalidPropertyQuote, std::string(1, c));
      }
      break;
    case TAttributeState::InValue:
      if (c == quote) {
        TUtSimpleXMLProp* prop = Owner.Properties()->Add(name, XmlDecode(value));
        prop->SetNameSpace(prefix);
        state = TAttributeState::Between;
      } else {
        value.push_back(c);
      }
      break;
    }
  }
}

void TUtSimpleXMLProps::WriteTo(std::string& Out) const
{
  for (int i = 0, n = FProps.Count(); i < n; ++i) {
    const TUtSimpleXMLProp* prop = Item(i);
    Out.push_back(' ');
    if (!prop->NameSpace().empty()) {
      Out.append(prop->NameSpace());
      Out.push_back(':');
    }
    Out.append(prop->Name());
    Out.append("=\"");
    AppendXmlEscaped(Out, prop->Value());
    Out.push_back('"');
  }
}
