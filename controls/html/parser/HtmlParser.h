// THtmlParser: reads an HTML document with the tokenizer and drives a
// TDocumentSink with what it finds. It prepares the text (cut at its first
// NUL; a UTF-8 byte order mark or an ISO-2022-JP text noticed), counts the
// links in a first pass, then keeps the property stack as elements open and
// close, reads STYLE elements into the style sheet, TITLE, META (with the
// character set it names), BASE, LINK, SCRIPT and the literal text of a
// TEXTAREA. The document builder refines the handling of the elements that
// make the document's structure on top of the same reader and sink.
#pragma once

#include <string>

#include "controls/html/parser/HtmlReader.h"

class TDocumentSink;

class THtmlParser : public TObject {
public:
  // Fonts realises the fonts of the property sets; it outlives the parser.
  explicit THtmlParser(const THtmlFontService& Fonts) : Reader(Fonts) {}

  // Parses Text into Document. The reader's include event is used when set.
  void Parse(std::string Text, TDocumentSink& Document);

  THtmlReader Reader;
  // What the document said of itself; kept after the parse for the viewer.
  std::u16string Title;
  std::string BaseUrl;
  std::string BaseTarget;
  int LinkCount = 0;  // A elements with HREF, counted up to 401

private:
  void Dispatch(TDocumentSink& Document);
  void OpenElement(TDocumentSink& Document);
  void CloseElement(TDocumentSink& Document);
  void PopHeading();
  void ReadTitle(TDocumentSink& Document);
  void ReadStyle(TDocumentSink& Document);
  void ReadMeta(TDocumentSink& Document);
  void ReadTextArea(TDocumentSink& Document);
  std::string AttributeText(Symb Sy) const;
};
