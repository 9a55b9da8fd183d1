// THtmlParser: reads an HTML document with the tokenizer and drives a
// TDocumentSink with what it finds. It prepares the text (cut at its first
// NUL; a UTF-8 byte order mark or an ISO-2022-JP text noticed), counts the
// links in a first pass, then keeps the property stack as elements open and
// close, reads STYLE elements into the style sheet, TITLE, META (with the
// character set it names), BASE, LINK, SCRIPT and the literal text of a
// TEXTAREA. The document builder refines the handling of the elements that
// make the document's structure on top of the same reader and sink.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "controls/html/parser/HtmlReader.h"

class TDocumentSink;

class THtmlParser : public TObject {
public:
  // Fonts realises the fonts of the property sets; it outlives the parser.
  explicit THtmlParser(const THtmlFontService& Fonts) : Reader(Fonts) {}

  // Parses Text into Document. The reader's include event is used when set.
  void Parse(std::string Text, TDocumentSink& Document);

  // Parse in two halves, so that more text can be read on in between: Begin
  // counts the links and reads Text to its end; End lets go of the reading
  // state.
  void Begin(std::string Text, TDocumentSink& Document);
  // Begin reading Text where it is: the caller keeps its bytes alive and
  // unchanged until End, and may only add to its end (ReadOnTo).
  void BeginBorrowed(std::string_view Text, TDocumentSink& Document);
  void End();
  // Reads More on after the text read so far and answers true when that is
  // exactly what reading the whole text from its start would have done:
  // the text so far ended outside any tag, comment or literal content, More
  // starts a tag, and neither brings a change to the whole document (the
  // many-links limit crossed, a Japanese encoding to convert, a NUL). False,
  // with nothing read, otherwise.
  bool ReadOn(std::string_view More, TDocumentSink& Document);
  // ReadOn for a text read where it is (BeginBorrowed): Grown is that text
  // grown at its end, maybe moved; its bytes after those read so far are
  // read on. Refused, the reader keeps reading the same bytes at their new place.
  bool ReadOnTo(std::string_view Grown, TDocumentSink& Document);

  THtmlReader Reader;
  // What the document said of itself; kept after the parse for the viewer.
  std::u16string Title;
  std::string BaseUrl;
  std::string BaseTarget;
  int LinkCount = 0;  // A elements with HREF, counted up to 401

private:
  // The links of Text, counted on from LinkCount up to 401; false when the
  // end of Text cut a construct.
  bool CountLinks(THtmlReader& R, std::size_t Offset);
  // After Start: the link pre-pass and the main pass over the whole text.
  void ReadStarted(bool WholeText, TDocumentSink& Document);
  // Whether More can be read on (ReadOn's conditions); counts its links.
  bool CanReadOn(std::string_view More);
  // Reads what was added to the reader's text, to its end.
  void ReadAdded(TDocumentSink& Document);
  bool FAddedLinksClean = false;  // the links of the text added counted without a cut
  bool FEndsClean = false;  // the link pass, and the main pass, ended between symbols
  std::unique_ptr<THtmlReader> FLinkReader;  // counts the links of text read on
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
