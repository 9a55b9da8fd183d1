// THtmlReader: the HTML tokenizer. It reads a document character by character
// (line ends folded, comments and declarations skipped, server-side include
// comments served through a callback) and cuts it into symbols: text runs with
// the source position of every character, and tags with their attributes,
// entities decoded in both. It keeps the property stack that follows the
// element nesting, whose top gives the code page of the text being read.
//
// The reader never stops short of the end of the text: a comment or
// declaration left open reads as text from its "<", characters below TAB are
// dropped, and a TEXTAREA or SCRIPT left open runs to the end.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/html/parser/Attributes.h"
#include "controls/html/parser/Symbols.h"
#include "controls/html/styles/PropStack.h"
#include "controls/html/text/CharCollection.h"
#include "controls/html/text/TokenObj.h"
#include "platform/base/Method.h"

class TDocumentSink;
class TStringList;

// The viewer's include event: a server-side include comment's command and its
// "NAME=value" parameters; the text put in IString is read in its place.
using TIncludeType =
    Method<void(TObject* Sender, const std::string& Command, TStringList* Params, std::string& IString)>;

class THtmlReader : public TObject {
public:
  // The property stack's entries realise their fonts with Fonts, which
  // outlives the reader.
  explicit THtmlReader(const THtmlFontService& Fonts);
  ~THtmlReader() override;
  // The text read is a view of the reader's own: a copy would read the
  // original's.
  THtmlReader(const THtmlReader&) = delete;
  THtmlReader& operator=(const THtmlReader&) = delete;

  // --- the text

  // Takes the document text (read up to its first NUL) and resets the
  // reading state; the next read returns the byte at Offset.
  void Start(std::string Text, TDocumentSink* Document, std::size_t Offset = 0);
  // Start, reading Text where it is rather than a copy of it: the caller
  // keeps Text's bytes alive and unchanged while the reader reads them (a
  // conversation of many messages, or a message whose links are counted, is
  // not held twice). Text may grow at its end in between: ReadOnTo.
  void StartBorrowed(std::string_view Text, TDocumentSink* Document, std::size_t Offset = 0);
  // Back to Offset, with the character position and flags reset.
  void Rewind(std::size_t Offset);
  // The text being read: up to its first NUL, converted when it was.
  std::string_view DocText() const { return FText; }
  // The text as it was handed to Start (all of it, before any conversion);
  // null when the reader reads a borrowed text, which its owner holds.
  const std::string* GivenText() const;
  // The offset of the next byte of the document text.
  std::size_t ReadOffset() const { return FPos; }
  // Adds More (no NUL in it) after the text, which was read to its end, so
  // that reading goes on from there.
  void Extend(std::string_view More);
  // The borrowed text, now Grown (the same bytes, maybe moved, and more after
  // them): reading goes on over the added bytes up to the first NUL.
  void ReadOnTo(std::string_view Grown);
  // The borrowed text moved (its owner grew it) but is read no further:
  // the reader reads the same bytes at their new place.
  void Rebase(std::string_view Moved);
  // Reads Converted, the whole text in another encoding, from its start
  // instead; the text as given stays what GivenText answers.
  void StartConverted(std::string Converted);
  // Replaces the unread rest of the text by its Shift-JIS form (a META naming
  // EUC-JP); the read offset keeps its place.
  void ConvertRestFromEucJp();
  TDocumentSink* Document() const { return FDocument; }

  // --- characters

  // The next character with its line end folded: CR LF, LF CR, CR and LF
  // each read as one CR, TAB as a space. Sets LCh and Ch.
  void ReadChar();
  // ReadChar, skipping comments, declarations and include comments.
  void GetCh()
  {
    // Most characters are plain ones of the document text: read at once.
    if (FActiveFrames == 0 && FPos < FText.size() && ((FPos + 1) & 4095) != 0) {
      const char C = FText[FPos];
      if (C != '<' && C != '\r' && C != '\n' && C != '\t') {
        ChPos = int(FPos++);
        FLineEnd = 0;
        LCh = C;
        Ch = C >= 'a' && C <= 'z' ? char(C - 32) : C;
        return;
      }
    }
    GetChSlow();
  }
  // Skips TAB, CR and space.
  void SkipWhite();
  // The character source of a STYLE element's sheet: ReadChar's character.
  char ReadCharForCss();
  // The next character without reading it (line ends not folded).
  char PeekCharForCss() const { return PeekChar(); }

  // --- symbols

  // Sets Sy, Token, Attributes and HeadingNumber from the text at LCh.
  void Next();
  // Inside a TEXTAREA (literal mode): the next text piece (at most 100
  // characters), line end, closing tag or end of text.
  void NextTextAreaSymbol();
  // Reads a SCRIPT element's content from its start tag's ">" to its end tag
  // (or the end of text), lines joined by CR LF; literal mode while reading.
  std::string ReadScriptText();

  // The FONT SIZE point tables, scaled from the viewer's default size.
  void SetFontSizeTables(double DefaultSize);

  // --- state

  Symb Sy = EofSy;
  char LCh = 0;          // the last character read, line ends folded
  char Ch = 0;           // LCh upper-cased
  int ChPos = -1;        // the position of the last character read from the document text
  int TagPos = 0;        // the position of the "<" of the last tag
  int HeadingNumber = 0; // 1 to 6 after H1 to H6
  TokenObj Token;
  TAttributeList Attributes;
  TPropStack PropStack;

  bool LinkSearch = false;   // the link pre-pass is running
  bool LiteralMode = false;  // no comment is skipped
  bool InComment = false;
  bool KeepWhiteSpace = false;  // preformatted text: every blank kept, each line end comes as CR
  bool Converted = false;    // the text was converted to Shift-JIS
  // The end of the text came inside a construct (a tag without its ">", an
  // open comment or declaration, the content of a SCRIPT, STYLE or TEXTAREA):
  // text added after it would have been read differently.
  bool CutAtEnd = false;
  TIncludeType OnInclude;
  TObject* IncludeSender = nullptr;
  double FontConv[7] = {};
  double PreFontConv[7] = {};

  // An include nested deeper than this, or texts beyond this many bytes in
  // one parse, are skipped as plain comments.
  static constexpr int MaxIncludeDepth = 16;
  static constexpr std::size_t MaxIncludeBytes = 16u << 20;

private:
  struct TIncludeFrame {
    std::string Text;
    std::size_t Pos = 0;
  };
  // Where the reader stands, kept while a comment is skipped so that an
  // unclosed one can be read again as text.
  struct TMark {
    std::size_t Pos;
    int ChPos;
    std::size_t ActiveFrames;
    std::size_t FramePos[MaxIncludeDepth];
    int LineEnd;
  };

  void EndInlineBox(TProperties* Props);
  void GetChSlow();
  char RawChar();
  char PeekChar() const;
  TMark Mark() const;
  void Restore(const TMark& M);
  bool AtDocumentFrom(std::size_t Memo) const;
  bool SkipComment();
  bool SkipDeclaration();
  bool ReadInclude();
  void ReportProgress();

  // Where GetCh's quick path ends: the end of the document text, or the
  // next character whose reading reports progress.
  std::size_t QuickReadLimit() const { return std::min(FText.size(), FPos | 4095); }
  // Makes the reader read a converted text of its own, the text as given
  // kept aside when the reader owned it.
  void OwnConverted(std::string Converted);
  bool GetTag();
  bool GetText();
  // Adds the plain characters after the one at hand to Collection in one
  // step, leaving the reader after them.
  void TakePlainText(TCharCollection& Collection);
  // Appends the characters after the one at hand to Value in one step, up to
  // one of Stops or one that GetCh reads slowly, leaving the reader after them.
  void TakeValueRun(std::string& Value, std::string_view Stops);
  bool GetAttribute();
  void ReadAttributeValue(int& Value, std::string& Text);
  void TextEntity(TCharCollection& Collection, UINT CodePage);
  void AddCode(TCharCollection& Collection, UINT CodePage, std::uint32_t Code, bool FromDigits, int Position);
  UINT CurrentCodePage() const;

  // What is read: a view of FOwnText, or of a text its owner holds.
  std::string_view FText;
  // The text the reader owns (as given to Start, or converted), and the
  // text as given when it was converted.
  std::string FOwnText;
  std::string FGivenText;
  bool FBorrowed = false;  // the text as given is its owner's

  std::size_t FPos = 0;
  TDocumentSink* FDocument = nullptr;
  int FLineEnd = 0;  // 0 none, 1 the last line end was CR, 2 it was LF
  std::vector<TIncludeFrame> FFrames;
  std::size_t FActiveFrames = 0;
  std::size_t FIncludedBytes = 0;
  // From these document offsets on no comment end, or no ">", follows: a
  // later comment there is known to be open without reading to the end again.
  std::size_t FNoCommentEndFrom;
  std::size_t FNoDeclarationEndFrom;
  TCharCollection FCollection;
  // The raw text of the attribute value being read, its buffer kept from tag to tag.
  std::string FRawAttributeValue;
};
