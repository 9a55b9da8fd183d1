#include "ChatDocument.h"

#include "TestFonts.h"
#include "controls/html/document/SectionList.h"

namespace {

const char* const HeadLines[12] = {
    "<HTML>",
    "<HEAD>",
    "<TITLE>On ne devrait pas voir cela</TITLE>",
    "<STYLE type=\"text/css\">",
    "<!--",
    "div.moi  {color: black; border: 1px black solid; background-color: #AACCAA}",
    "div.lui  {color: black; border: 1px black solid; background-color: #AAAACC}",
    "div.header {font-family: arial; font-size: 12px; color: white; border: 1px black inset; background-color: black}",
    "-->",
    "</STYLE>",
    "</HEAD>",
    "<BODY bgcolor=\"white\">",
};

std::string Lines(std::initializer_list<std::string> List)
{
  std::string S;
  for (const std::string& L : List)
    S += L + "\r\n";
  return S;
}

}  // namespace

std::string ChatHead()
{
  std::string S;
  for (const char* L : HeadLines)
    S += std::string(L) + "\r\n";
  return S;
}

std::string ChatFragment(int Index)
{
  const bool Own = Index % 2 == 0;
  const std::string Stamp = "08/12/2026 23:" + std::to_string(10 + Index % 50) + ":19";
  std::string Text;
  switch (Index % 3) {
  case 0:
    Text = "Salut, tu as vu le match d'hier ? C'\xC3\xA9tait g\xC3\xA9nial !";
    break;
  case 1:
    Text = "Oui <IMG src=\"C:\\Program Files\\MesNews\\config\\s" + std::to_string(Index % 20) +
           ".gif\"> on en reparle demain &amp; apr\xC3\xA8s-demain.";
    break;
  default:
    Text = "Premi\xC3\xA8re ligne<BR>\nDeuxi\xC3\xA8me ligne";
    break;
  }
  return Lines({"<BR>", "<DIV class=\"header\">", (Own ? std::string("Moi") : std::string("Alice")) + ", " + Stamp,
                "</DIV>", Own ? "<DIV class=\"moi\">" : "<DIV class=\"lui\">", Text, "</DIV>"});
}

std::string ChatDocument(int Messages)
{
  std::string S = ChatHead();
  for (int I = 0; I < Messages; ++I)
    S += ChatFragment(I);
  return S;
}

std::unique_ptr<TSectionList> MakeChatDocument(const std::string& SmileyDir)
{
  auto Doc = std::make_unique<TSectionList>(TestFonts());
  Doc->SetDefaults("Times New Roman", "Courier New", 0, 12, 0xFF0000, 0x800080, 0x0000FF, 0xFFFFFF);
  ApplyChatDocumentRules(*Doc, SmileyDir);
  return Doc;
}

void ApplyChatDocumentRules(TSectionList& Doc, const std::string& SmileyDir)
{
  Doc.RestrictFiles = true;
  Doc.AllowedFolders = {SmileyDir};
  Doc.LoadLinkedSheets = false;
  Doc.OnExpandName = [SmileyDir](const std::string& Source) {
    const auto Slash = Source.find_last_of('\\');
    std::string File = Source.substr(Slash == std::string::npos ? 0 : Slash + 1);  // "s1.gif"
    if (File.size() > 1 && File[0] == 's')
      File = "smiley" + std::string(File.size() == 6 ? "0" : "") + File.substr(1);
    return SmileyDir + "/" + File;
  };
}
