#include "controls/html/parser/DocumentSink.h"

#include "controls/html/styles/StyleList.h"

const TProperties* TDocumentSink::DefaultProperties()
{
  TStyleList* Styles = StyleList();
  return Styles ? Styles->DefProp() : nullptr;
}

bool TDocumentSink::StyleRule(const std::string& Selector, const std::string& PropName, const std::string& Value)
{
  TStyleList* Styles = StyleList();
  return Styles && Styles->AddModifyProp(Selector, PropName, Value);
}
