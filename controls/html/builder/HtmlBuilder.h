// The document builder: turns the parser's element stream into the document
// objects of a section list: the body block, blocks for paragraphs,
// divisions, headings, lists and their items, text sections with their font
// runs and links, images, rules, preformatted text, maps and page markers,
// tables, form controls and panels.
// A document that cannot be read to its end keeps what was built before the
// fault; nothing is shown to the user and nothing escapes.
#pragma once

#include <memory>
#include <string>
#include <string_view>

class TSectionList;

// A document built from a text that more text can be added to: reading on
// gives exactly the document that parsing the whole text would give, or is
// refused (the caller then parses the whole text again). The build holds the
// parser's state between the two and must go before the document is
// cleared or freed.
class THtmlDocumentBuild {
public:
  explicit THtmlDocumentBuild(TSectionList& Document);
  ~THtmlDocumentBuild();
  THtmlDocumentBuild(const THtmlDocumentBuild&) = delete;
  THtmlDocumentBuild& operator=(const THtmlDocumentBuild&) = delete;

  // Parses Text into the document, which the caller has cleared and given
  // its defaults. The build keeps Text (GivenText) rather than a copy.
  void Parse(std::string Text);
  // Parse, reading Text where it is: the caller keeps its bytes alive and
  // unchanged while the build lives, and may add to its end only; the added
  // text is read with ReadOnTo. A long text that its owner holds anyway is
  // not held twice.
  void ParseBorrowed(std::string_view Text);
  // Reads More on after the text parsed so far; false, with the document
  // unchanged, when that would not give what the whole text gives: the
  // text so far left something open that its end closed (a table, a text
  // run, a form field, a tag or comment cut by the end), More does not start
  // with a tag, or More changes the whole document.
  bool ReadOn(std::string_view More);
  // ReadOn for a text parsed with ParseBorrowed: Grown is that text, grown
  // at its end and maybe moved, and what follows the bytes read so far is
  // More. Refused, the build goes on reading the same bytes at their new
  // place.
  bool ReadOnTo(std::string_view Grown);
  // The text handed to Parse as the build keeps it (before any conversion
  // to another character set); null after ParseBorrowed, or with no parse.
  const std::string* GivenText() const;

private:
  struct TState;
  // A parse (or a read on) whose reading Begin (or Read) starts on the parser.
  template <class TBegin>
  void ParseWith(TBegin&& Begin);
  template <class TRead>
  bool ReadOnWith(TRead&& Read);
  void Done();
  TSectionList& FDocument;
  std::unique_ptr<TState> F;
};

// Parses Text (an HTML document) into Document, which the caller has
// cleared and given its defaults.
void ParseHtmlIntoSections(const std::string& Text, TSectionList& Document);
// Shows Text, in the code page given (1252 unless told), as preformatted lines.
void ParseTextIntoSections(const std::string& Text, TSectionList& Document, unsigned CodePage = 1252);
