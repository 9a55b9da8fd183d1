#include "chatwin/ConversationFile.h"

#include "api/DEbugger.h"
#include "api/HtmlText.h"
#include "chatwin/MessageDocument.h"
#include "platform/base/DateTimeFormat.h"
#include "platform/base/Exception.h"
#include "platform/base/FileSystem.h"
#include "platform/base/StringList.h"
#include "platform/base/WholeFile.h"

#include <cstdint>

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
    // Built in order (GCC's bounds warning takes an insert of a temporary
    // string for an overflow): readers that guess a page's encoding are told
    // it, and the session block's style goes among the others.
    const std::vector<std::string> head = DocumentHead();
    std::vector<std::string> lines(head.begin(), head.begin() + 2);
    lines.emplace_back("<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">");
    lines.insert(lines.end(), head.begin() + 2, head.begin() + 5);
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
  // "%" starts every escape, so two names never give the same file name:
  // "a/b" is "a%2Fb" and "a_b" stays itself. A name too long is cut and
  // marked with "%%" and a digest of the whole name ("%%" never comes out
  // of an escape).
  static const char Hex[] = "0123456789ABCDEF";
  if (Name.empty())
    return "%";
  std::string safe;
  std::vector<std::size_t> starts;  // where each of Name's characters begins in safe
  safe.reserve(Name.size());
  char previous = '\0';
  for (char c : Name) {
    auto byte = static_cast<unsigned char>(c);
    // A leading dot would hide the file; a dot after a dot could make "..".
    const bool dot = c == '.' && (safe.empty() || previous == '.');
    const bool refused = c == '/' || c == '\\' || c == '%' || byte < 0x20 || byte == 0x7F || dot;
    if ((byte & 0xC0) != 0x80)
      starts.push_back(safe.size());
    if (refused) {
      safe += '%';
      safe += Hex[byte >> 4];
      safe += Hex[byte & 0x0F];
    } else {
      safe += c;
    }
    previous = c;
  }
  if (safe.size() <= MaxNamePart)
    return safe;
  std::uint64_t digest = 14695981039346656037ull;  // FNV-1a of the whole name
  for (char c : Name)
    digest = (digest ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  std::string mark = "%%";
  for (int shift = 60; shift >= 0; shift -= 4)
    mark += Hex[(digest >> shift) & 0x0F];
  // Cut before a whole character (or escape) of the name.
  std::size_t cut = 0;
  for (std::size_t start : starts)
    if (start + mark.size() <= MaxNamePart)
      cut = start;
  safe.resize(cut);
  return safe + mark;
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
