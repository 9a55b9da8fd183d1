#include "chatwin/MessageDocument.h"

#include <algorithm>

#include "api/HtmlText.h"
#include "chatwin/ConversationLines.h"
#include "chatwin/RtfToText.h"
#include "platform/base/DateTimeFormat.h"

namespace {

// The message box's line: Html with every CR written as "<BR>"; a zero
// character is left out, as the viewer would end the whole document there.
void AppendMessageBody(std::string& Out, std::string_view Html)
{
  std::size_t plain = 0;
  for (std::size_t i = 0; i < Html.size(); ++i) {
    if (Html[i] != '\r' && Html[i] != '\0')
      continue;
    Out.append(Html.substr(plain, i - plain));
    if (Html[i] == '\r')
      Out += "<BR>";
    plain = i + 1;
  }
  Out.append(Html.substr(plain));
}

// The size of the message box's line, a CR taking four bytes.
std::size_t MessageBodySize(std::string_view Html)
{
  return Html.size() + 3 * std::size_t(std::count(Html.begin(), Html.end(), '\r'));
}

std::string SenderLine(bool Own, std::string_view Nick, TDateTime Time)
{
  return (Own ? std::string("Moi") : HtmlEscape(Nick)) + ", " + HtmlEscape(DateTimeToStr(Time));
}

const char* MessageBoxLine(bool Own) { return Own ? "<DIV class=\"moi\">" : "<DIV class=\"lui\">"; }

}  // namespace

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
  body.reserve(MessageBodySize(Html));
  AppendMessageBody(body, Html);
  return {"<BR>", "<DIV class=\"header\">", SenderLine(Own, Nick, Time), "</DIV>", MessageBoxLine(Own), std::move(body),
          "</DIV>"};
}

void AddMessageFragment(TConversationLines& Lines, bool Own, std::string_view Nick, TDateTime Time,
                        std::string_view Html)
{
  const std::string sender = SenderLine(Own, Nick, Time);
  const std::size_t bodySize = MessageBodySize(Html);
  // The seven lines and their breaks (the five fixed lines and the breaks
  // take under 80 bytes), room made once: the line after a large message's
  // box does not copy the whole text again.
  Lines.Reserve(sender.size() + bodySize + 80, 7);
  Lines.Add("<BR>");
  Lines.Add("<DIV class=\"header\">");
  Lines.Add(sender);
  Lines.Add("</DIV>");
  Lines.Add(MessageBoxLine(Own));
  Lines.AddWritten(bodySize, [Html](std::string& Text) { AppendMessageBody(Text, Html); });
  Lines.Add("</DIV>");
}

std::string_view MessageHtml(bool Own, MessageKind Kind, std::string_view Text, std::string& Converted)
{
  if (Kind == mkHtml)
    return Text;
  if (Own)
    Converted = HtmlEscape(Text);
  else if (Kind == mkText)
    Converted = HtmlEscape(Text);
  else if (Kind == mkRtf)
    Converted = HtmlEscape(RtfToText(Text));
  else
    Converted = UnknownKindText;
  return Converted;
}

std::string MessageHtml(bool Own, MessageKind Kind, std::string_view Text)
{
  if (Kind == mkHtml)
    return std::string(Text);
  std::string converted;
  MessageHtml(Own, Kind, Text, converted);
  return converted;
}
