#include "controls/html/builder/LinkedStyleSheet.h"

#include "controls/html/document/SectionList.h"
#include "controls/html/styles/CssParser.h"
#include "controls/html/url/UrlHelpers.h"
#include "platform/base/StringRoutines.h"

namespace {

// Line ends as CR LF, whatever the file used.
std::string CrLfLines(const std::string& Text)
{
  std::string Out;
  Out.reserve(Text.size() + Text.size() / 16);
  for (std::size_t I = 0; I < Text.size(); ++I) {
    const char C = Text[I];
    if (C == '\r') {
      Out += "\r\n";
      if (I + 1 < Text.size() && Text[I + 1] == '\n')
        ++I;
    } else if (C == '\n') {
      Out += "\r\n";
    } else {
      Out += C;
    }
  }
  return Out;
}

}  // namespace

bool LoadLinkedStyleSheet(TSectionList& Doc, const std::string& Rel, const std::string& Href)
{
  if (!Doc.LoadLinkedSheets || !SameText(Trim(Rel), "stylesheet") || Trim(Href).empty())
    return false;
  std::string Data, Base;
  bool Have = false;
  if (Doc.OnStreamRequest) {
    std::string Name = Href;
    if (Doc.OnExpandName) {
      Name = Doc.OnExpandName(Href);
      Base = UrlDirectory(Name);
    }
    Have = Doc.OnStreamRequest(Name, Data);
    if (!Have && Doc.OnExpandName)
      return false;
  }
  if (!Have) {
    const std::string FileName = Doc.ExpandName(Href);
    if (!Doc.ReadAllowedFile(FileName, Data))
      return false;
    Base = UrlDirectory(FileName);
  }
  if (Data.empty())
    return false;
  try {
    ParseStyleSheetText(Doc.Styles, CrLfLines(Data), Base);
  } catch (const std::exception&) {
    return false;  // a broken sheet adds what it read before the fault
  }
  return true;
}
