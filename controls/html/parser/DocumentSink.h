// TDocumentSink: the document side of the HTML parser. The parser reads the
// text and drives this interface: it opens and closes elements with their
// attributes and computed properties, hands over text runs with the source
// position of every character, feeds style-sheet rules, and reports the
// title, the base, META, LINK and SCRIPT elements. It also asks the document
// for what the reader needs: the style sheet behind the property stack, the
// default properties, the ID name list, inline box records and progress.
// The document builder implements it over the section list; tests record it.
#pragma once

#include <string>

#include "controls/html/parser/Symbols.h"

class TAttributeList;
class TProperties;
class TStyleList;
class TokenObj;

class TDocumentSink {
public:
  virtual ~TDocumentSink() = default;

  // The style sheet the property stack combines elements with.
  virtual TStyleList* StyleList() = 0;
  // The set the bottom entry of the property stack copies (the default rule).
  virtual const TProperties* DefaultProperties();
  // The percentage of the load's progress that parsing stands for, and the
  // progress reached (called about every 4096 characters while parsing).
  virtual int ParseShare() { return 0; }
  virtual void Progress(int Percent) { (void)Percent; }
  // An ID attribute names the character position.
  virtual void AddIdName(const std::string& Name, int Position) = 0;
  // An inline element with a drawn border begins or ends here.
  virtual void StartInlineBox(TProperties* Props, int Position) = 0;
  virtual void EndInlineBox(TProperties* Props, int Position) = 0;
  // More than 400 links: no keyboard focus objects are made for them.
  virtual void SetManyLinks(bool Value) = 0;

  // A start tag, with the property set pushed for it (the top of the stack).
  // Tags without an end tag (BR, IMG, ...) are opened and never closed.
  virtual void OpenElement(Symb Sy, TAttributeList& Attributes, TProperties* Props, int Position) = 0;
  // An end tag, before its property set leaves the stack.
  virtual void CloseElement(Symb EndSy, int Position) = 0;
  // A run of text.
  virtual void Text(const TokenObj& Token) = 0;
  // A line end inside a TEXTAREA.
  virtual void LineEnd(int Position) = 0;
  // A declaration of a STYLE element; the default adds it to StyleList.
  virtual bool StyleRule(const std::string& Selector, const std::string& PropName, const std::string& Value);
  virtual void Title(const std::u16string& Title) = 0;
  virtual void Base(const std::string& Href, const std::string& Target) = 0;
  virtual void Meta(const std::string& HttpEquiv, const std::string& Name, const std::string& Content) = 0;
  virtual void Link(const std::string& Rel, const std::string& Rev, const std::string& Href) = 0;
  virtual void Script(const std::string& Name, const std::string& Language, const std::string& Text) = 0;
};
