// The literal readers of the tokenizer: the content of a TEXTAREA and of a
// SCRIPT, where markup is not read as markup.
#include <cctype>

#include "controls/html/parser/HtmlReader.h"

void THtmlReader::NextTextAreaSymbol()
{
  Token.Clear();
  if (LCh == '\0') {
    Sy = EofSy;
    return;
  }
  TagPos = ChPos;
  if (LCh == '\r') {
    Sy = EolSy;
    GetCh();
    return;
  }
  Sy = TextSy;
  const UINT CodePage = CurrentCodePage();
  FCollection.Clear();
  while (LCh != '\0' && LCh != '\r' && FCollection.Count() + Token.Count() < 100) {
    const unsigned char C = static_cast<unsigned char>(LCh);
    if (C == '<') {
      if (FCollection.Count() + Token.Count() > 0)
        break;  // the text before it goes first; the "<" is looked at next time
      // "</textarea" up to a blank or ">" closes the element; any other word
      // after "<" is text.
      std::string Word;
      std::vector<int> Positions;
      do {
        Word += LCh;
        Positions.push_back(ChPos);
        GetCh();
      } while (LCh != '\0' && LCh != ' ' && LCh != '\r' && LCh != '>' && Word.size() < 11);
      std::string Lower = Word;
      for (char& L : Lower)
        L = char(std::tolower(static_cast<unsigned char>(L)));
      if (Lower == "</textarea" && (LCh == '\0' || LCh == ' ' || LCh == '\r' || LCh == '>')) {
        while (LCh != '>' && LCh != '\0')
          GetCh();
        if (LCh == '>')
          GetCh();
        Sy = TextAreaClosedSy;
        return;
      }
      for (std::size_t I = 0; I < Word.size(); ++I)
        FCollection.Add(Word[I], Positions[I]);
    } else if (C == '&') {
      TextEntity(FCollection, CodePage);
    } else if (C < '\t') {
      GetCh();
    } else {
      FCollection.Add(LCh, ChPos);
      GetCh();
    }
  }
  Token.AddString(FCollection, CodePage);
  FCollection.Clear();
}

std::string THtmlReader::ReadScriptText()
{
  static constexpr char Closing[] = "/script";
  LiteralMode = true;
  std::string Text;
  if (LCh == '>')
    GetCh();
  while (LCh != '\0') {
    if (LCh == '\r') {
      Text += "\r\n";
      GetCh();
      continue;
    }
    if (LCh != '<') {
      Text += LCh;
      GetCh();
      continue;
    }
    std::string Seen(1, '<');
    GetCh();
    std::size_t Matched = 0;
    while (Matched < 7 && std::tolower(static_cast<unsigned char>(LCh)) == Closing[Matched]) {
      Seen += LCh;
      GetCh();
      ++Matched;
    }
    if (Matched == 7) {
      for (int More = 0; More < 6 && LCh != '>' && LCh != '\0'; ++More)
        GetCh();
      LiteralMode = false;
      if (LCh == '>')
        GetCh();
      return Text;
    }
    Text += Seen;  // the character that broke the match is looked at again
  }
  LiteralMode = false;
  return Text;
}
