#include "chatwin/widgets/XmlVariant.h"

#include "chatwin/widgets/UtSimpleXML.h"
#include "chatwin/widgets/UtSimpleXMLElem.h"
#include "chatwin/widgets/UtSimpleXMLElems.h"
#include "chatwin/widgets/UtSimpleXMLProp.h"
#include "chatwin/widgets/UtSimpleXMLProps.h"
#include "platform/base/Exception.h"
#include "platform/base/StringRoutines.h"

namespace {

// The run-time library's text for a variant that cannot become the type asked.
constexpr const char* SInvalidVarCast = "Transtypage de variant incorrect";

bool AutoCreates(const TUtSimpleXMLElem& elem)
{
  TUtSimpleXML* document = elem.SimpleXML();
  return document && document->Options().Contains(sxoAutoCreate);
}

TUtSimpleXMLElem* ChildNamed(TUtSimpleXMLElem& elem, const std::string& name)
{
  TUtSimpleXMLElems* items = AutoCreates(elem) ? elem.Items() : elem.ItemsIfAny();
  return items ? items->ItemNamed(name) : nullptr;
}

TUtSimpleXMLProp* AttributeNamed(TUtSimpleXMLElem& elem, const std::string& name)
{
  TUtSimpleXMLProps* props = AutoCreates(elem) ? elem.Properties() : elem.PropertiesIfAny();
  return props ? props->ItemNamed(name) : nullptr;
}

}  // namespace

bool TXmlVariant::IsClear() const
{
  return !FElem || FElem->ItemCount() == 0;
}

std::string TXmlVariant::AsString() const
{
  return FElem ? FElem->SaveToString() : std::string();
}

WideString TXmlVariant::AsWideString() const
{
  return UTF8Decode(AsString());
}

std::int32_t TXmlVariant::AsInteger() const
{
  throw EVariantError(SInvalidVarCast);
}

double TXmlVariant::AsFloat() const
{
  throw EVariantError(SInvalidVarCast);
}

bool TXmlVariant::AsBoolean() const
{
  throw EVariantError(SInvalidVarCast);
}

TXmlProperty TXmlVariant::GetProperty(const std::string& Name) const
{
  TXmlProperty result;
  if (!FElem)
    return result;
  if (TUtSimpleXMLElem* child = ChildNamed(*FElem, Name)) {
    result.Kind = TXmlProperty::Element;
    result.Elem = child;
  } else if (TUtSimpleXMLProp* prop = AttributeNamed(*FElem, Name)) {
    result.Kind = TXmlProperty::Value;
    result.Text = UTF8Decode(prop->Value());
  }
  return result;
}

bool TXmlVariant::SetProperty(const std::string& Name, const std::string& Value) const
{
  if (!FElem)
    return false;
  if (TUtSimpleXMLElem* child = ChildNamed(*FElem, Name)) {
    child->SetValue(Value);
    return true;
  }
  if (TUtSimpleXMLProp* prop = AttributeNamed(*FElem, Name)) {
    prop->SetValue(Value);
    return true;
  }
  return false;
}

std::optional<TXmlVariant> TXmlVariant::Call(const std::string& Name, const std::vector<TXmlArgument>& Args) const
{
  if (!FElem || Args.size() != 1 || Args[0].Kind == TXmlArgument::Other)
    return std::nullopt;
  std::int64_t wanted = Args[0].Kind == TXmlArgument::Empty ? 1 : Args[0].Value;
  TUtSimpleXMLElems* items = FElem->ItemsIfAny();
  if (!items || wanted < 1)
    return std::nullopt;
  std::string called = UpperCase(Name);
  std::int64_t found = 0;
  for (int i = 0, n = items->Count(); i < n; ++i)
    if (UpperCase(items->Item(i)->Name()) == called && ++found == wanted)
      return TXmlVariant(items->Item(i));
  return std::nullopt;
}
