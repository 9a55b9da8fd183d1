#include "chatwin/MessageDocument.h"

#include "api/HtmlText.h"
#include "chatwin/RtfToText.h"
#include "platform/base/DateTimeFormat.h"

const std::vector<std::string>& DocumentHead()
{
  static const std::vector<std::string> head = {
      "<HTML>",
      "<HEAD>",
      "<TITLE>On ne devrait pas voir cela</TITLE>",
      "<STYLE type=\"text/css\">",
      "<!--",
      "div.moi  {color: black; border: 1px black solid; background-color: #AACCAA}",
      "div.lui  {color: black; border: 1px black solid; background-color: #AAAACC}",
      "div.header {font-family: arial; font-size: 12px; color: white; border: 1px black inset; "
      "background-color: black}",
      "-->",
      "</STYLE>",
      "</HEAD>",
      "<BODY bgcolor=\"white\">",
  };
  return head;
}

std::vector<std::string> MessageFragment(bool Own, std::string_view Nick, TDateTime Time, std::string_view Html)
{
  std::string body;
  body.reserve(Html.size());
  for (char c : Html) {
    if (c == '\r')
      body += "<BR>";
    else if (c != '\0')  // the viewer ends a document at a zero character
      body += c;
  }
  const std::string sender = Own ? std::string("Moi") : HtmlEscape(Nick);
  return {"<BR>",
          "<DIV class=\"header\">",
          sender + ", " + HtmlEscape(DateTimeToStr(Time)),
          "</DIV>",
          Own ? "<DIV class=\"moi\">" : "<DIV class=\"lui\">",
          std::move(body),
          "</DIV>"};
}

std::string MessageHtml(bool Own, MessageKind Kind, std::string_view Text)
{
  if (Kind == mkHtml)
    return std::string(Text);
  if (Own)
    return HtmlEscape(Text);
  switch (Kind) {
  case mkText: return HtmlEscape(Text);
  case mkRtf: return HtmlEscape(RtfToText(std::string(Text)));
  default: return UnknownKindText;
  }
}
