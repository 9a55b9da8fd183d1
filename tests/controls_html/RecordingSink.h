// A document sink that writes everything the parser tells it into a text
// journal, and a dump of the tokenizer's symbol stream; shared by the tests,
// the fuzz targets and the benchmarks.
#pragma once

#include <string>
#include <vector>

#include "controls/html/parser/DocumentSink.h"
#include "controls/html/parser/HtmlReader.h"
#include "TestFonts.h"
#include "controls/html/styles/StyleList.h"

class TPropStack;

class TRecordingSink : public TDocumentSink {
public:
  // A style list with the default sheet of the chat window's viewer.
  TRecordingSink();

  TStyleList* StyleList() override { return &Styles; }
  int ParseShare() override { return Share; }
  void Progress(int Percent) override;
  void AddIdName(const std::string& Name, int Position) override;
  void StartInlineBox(TProperties* Props, int Position) override;
  void EndInlineBox(TProperties* Props, int Position) override;
  void SetManyLinks(bool Value) override;
  void OpenElement(Symb Sy, TAttributeList& Attributes, TProperties* Props, int Position) override;
  void CloseElement(Symb EndSy, int Position) override;
  void Text(const TokenObj& Token) override;
  void LineEnd(int Position) override;
  bool StyleRule(const std::string& Selector, const std::string& PropName, const std::string& Value) override;
  void Title(const std::u16string& Title) override;
  void Base(const std::string& Href, const std::string& Target) override;
  void Meta(const std::string& HttpEquiv, const std::string& Name, const std::string& Content) override;
  void Link(const std::string& Rel, const std::string& Rev, const std::string& Href) override;
  void Script(const std::string& Name, const std::string& Language, const std::string& Text) override;

  TStyleList Styles{TestFonts()};
  // The stack whose entries OpenElement compares with their parents.
  const TPropStack* Stack = nullptr;
  int Share = 0;
  bool Record = true;  // false: count calls only (benchmarks, fuzzing)
  std::string Journal;
  std::size_t Calls = 0;

private:
  void Line(const std::string& Text);
};

// Quoted text with control characters escaped: wide text in UTF-8, 8-bit
// text (in whatever code page) with its bytes above 127 escaped too.
std::string Quoted(const std::u16string& Text);
std::string Quoted(const std::string& Text);
// Source positions as runs: "0-3,7,9-10".
std::string PositionRuns(const std::vector<int>& Positions);
// One line for the reader's current symbol: tag, attributes, or text with
// its positions.
std::string DescribeSymbol(const THtmlReader& Reader);
// The symbol stream of Text read with a base entry of CodePage (0: the
// layer's own), one line per symbol, ID names entered included.
std::string SymbolStream(const std::string& Text, UINT CodePage = 0);
// The journal of a whole parse of Text.
std::string ParseJournal(const std::string& Text);
