#include "chatwin/ConversationFile.h"

#include "api/DEbugger.h"
#include "api/HtmlText.h"
#include "chatwin/MessageDocument.h"
#include "platform/base/DateTimeFormat.h"
#include "platform/base/Exception.h"
#include "platform/base/FileSystem.h"
#include "platform/base/StringList.h"
#include "platform/base/WholeFile.h"

namespace {

// File names are at most 255 bytes; ".html" takes 5.
constexpr std::size_t MaxNamePart = 200;

// A conversation file is text the user keeps; one that grew beyond this is
// not read back into memory to be rewritten.
constexpr std::size_t MaxConversationFileSize = std::size_t(256) << 20;

void Log(const char* Text)
{
  DebugLog(ShortString("tessel.dll"), 0, ShortString(Text));
}

}  // namespace

const std::vector<std::string>& ConversationSkeleton()
{
  // The chat window's head with the session block's style among the others,
  // and the page closed.
  static const std::vector<std::string> skeleton = [] {
    const std::vector<std::string> head = DocumentHead();
    std::vector<std::string> lines(head.begin(), head.begin() + 5);
    lines.emplace_back("div.Session {padding: 10px; color: black; border: 1px black solid; background-color: #CCCCAA}");
    lines.insert(lines.end(), head.begin() + 5, head.end());
    lines.push_back("</BODY>");
    lines.push_back("</HTML>");
    return lines;
  }();
  return skeleton;
}

std::string ConversationNamePart(std::string_view Name)
{
  std::string safe;
  safe.reserve(Name.size());
  for (char c : Name) {
    auto byte = static_cast<unsigned char>(c);
    bool refused = c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F;
    // A leading dot would hide the file; a dot after a dot could make "..".
    bool dot = c == '.' && (safe.empty() || safe.back() == '.');
    safe += refused || dot ? '_' : c;
  }
  if (safe.size() > MaxNamePart) {
    std::size_t cut = MaxNamePart;
    // Back to the start of a UTF-8 character.
    while (cut > 0 && (static_cast<unsigned char>(safe[cut]) & 0xC0) == 0x80)
      --cut;
    safe.resize(cut);
  }
  return safe.empty() ? "_" : safe;
}

std::string ConversationFilePath(std::string_view NetworkName, std::string_view Nick)
{
  return ConversationNamePart(NetworkName) + "/" + ConversationNamePart(Nick) + ".html";
}

std::vector<std::string> SessionBlock(TDateTime SessionStart, const TStrings& Document)
{
  std::vector<std::string> block = {"<DIV class=\"header\">", "Session du " + HtmlEscape(DateTimeToStr(SessionStart)),
                                    "</DIV>", "<DIV class=\"Session\">"};
  for (int i = DocumentHeadLines; i < Document.Count(); ++i)
    block.push_back(Document.Strings(i));
  block.push_back("</DIV>");
  return block;
}

void SaveConversation(std::string_view NetworkName, std::string_view Nick, TDateTime SessionStart,
                      const TStrings& Document)
{
  Log("dlgmsg; Enregistrement de la conversation");
  const std::string folder = ConversationNamePart(NetworkName);
  if (!DirectoryExists(folder) && !CreateDir(folder))
    throw Exception("Impossible de créer le dossier " + folder);
  const std::string path = ConversationFilePath(NetworkName, Nick);

  // Lines end with CR LF, CR or LF on reading, CR LF on writing.
  TStringList lines;
  if (FileExists(path))
    lines.SetText(ReadWholeFile(path, MaxConversationFileSize));
  else
    for (const std::string& line : ConversationSkeleton())
      lines.Add(line);
  if (lines.Count() < 2)
    throw Exception("Le fichier " + path + " n'est pas une conversation");
  // Each line just before the file's last two: together, in order.
  for (const std::string& line : SessionBlock(SessionStart, Document))
    lines.Insert(lines.Count() - 2, line);

  WriteWholeFile(path, lines.Text());
  Log("dlgmsg; Fin de l'enregistrement de la conversation");
}
