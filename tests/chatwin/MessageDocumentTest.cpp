// The conversation as HTML lines: the head and the fragment word for word,
// and what each kind of message shows as.
#include <gtest/gtest.h>

#include "chatwin/ConversationFile.h"
#include "chatwin/ConversationLines.h"
#include "chatwin/MessageDocument.h"
#include "platform/base/DateTime.h"
#include "platform/base/StringList.h"

TEST(MessageDocument, HeadAndFragmentWordForWord)
{
  const std::vector<std::string> head = {
      "<HTML>",
      "<HEAD>",
      "<TITLE>On ne devrait pas voir cela</TITLE>",
      "<STYLE type=\"text/css\">",
      "<!--",
      "div.moi  {color: black; border: 1px black solid; background-color: #AACCAA}",
      "div.lui  {color: black; border: 1px black solid; background-color: #AAAACC}",
      "div.header {font-family: arial; font-size: 12px; color: white; border: 1px black inset; background-color: "
      "black}",
      "-->",
      "</STYLE>",
      "</HEAD>",
      "<BODY bgcolor=\"white\">",
  };
  EXPECT_EQ(DocumentHead(), head);
  EXPECT_EQ(int(DocumentHead().size()), DocumentHeadLines);

  const TDateTime at = EncodeDate(2026, 12, 8) + EncodeTime(23, 31, 19, 0);
  EXPECT_EQ(MessageFragment(true, "Bob", at, "a\r\nb"),
            (std::vector<std::string>{"<BR>", "<DIV class=\"header\">", "Moi, 08/12/2026 23:31:19", "</DIV>",
                                      "<DIV class=\"moi\">", "a<BR>\nb", "</DIV>"}));
  // The contact's nickname is text; at midnight the time is left out.
  const std::vector<std::string> theirs = MessageFragment(false, "<Zoé>", EncodeDate(2026, 12, 8), "x");
  EXPECT_EQ(theirs[2], "&lt;Zoé&gt;, 08/12/2026");
  EXPECT_EQ(theirs[4], "<DIV class=\"lui\">");
}

TEST(MessageDocument, WhatEachKindShowsAs)
{
  struct TCase {
    bool Own;
    MessageKind Kind;
    std::string Text;
    std::string Html;
  };
  const std::vector<TCase> cases = {
      {false, mkText, "<img src=x onerror=1> & C:\\", "&lt;img src=x onerror=1&gt; &amp; C:\\"},
      {false, mkHtml, "<b>gras</b>", "<b>gras</b>"},
      {false, mkRtf, "{\\rtf1\\pard <b>\\par}", "&lt;b&gt;\r\n"},
      {false, 3, "x", "Désolé, cette affichage de Corvane ne connait pas ce format :/ (Formatmessage : "},
      {true, mkText, "<b>", "&lt;b&gt;"},
      {true, mkRtf, "{\\rtf1 x}", "{\\rtf1 x}"},  // the user's own text is never converted
      {true, mkHtml, "<IMG src=\"s.gif\">", "<IMG src=\"s.gif\">"},
      {true, 3, "a<b", "a&lt;b"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(MessageHtml(c.Own, c.Kind, c.Text), c.Html) << c.Text;
    std::string converted;
    EXPECT_EQ(MessageHtml(c.Own, c.Kind, c.Text, converted), c.Html) << c.Text;
  }
}

TEST(MessageDocument, FragmentAddedInPlaceIsTheFragmentsLines)
{
  struct TCase {
    bool Own;
    std::string Nick;
    std::string Html;
  };
  const std::vector<TCase> cases = {
      {true, "Bob", "a\r\nb"},
      {false, "<Zoé>", "\r\r\rfin\r"},
      {false, "Bob", std::string("avant\0apr\xC3\xA8s\r", 13)},  // the zero character is left out
      {false, "Bob", ""},
      {true, "Bob", std::string(5000, 'x') + "\r" + std::string(5000, 'y')},
  };
  const TDateTime at = EncodeDate(2026, 12, 8) + EncodeTime(23, 31, 19, 0);
  TConversationLines lines;
  TStringList expected;
  for (const std::string& line : DocumentHead()) {
    lines.Add(line);
    expected.Add(line);
  }
  for (const TCase& c : cases) {
    AddMessageFragment(lines, c.Own, c.Nick, at, c.Html);
    for (const std::string& line : MessageFragment(c.Own, c.Nick, at, c.Html))
      expected.Add(line);
    ASSERT_EQ(lines.Count(), expected.Count());
    EXPECT_EQ(lines.Text(), expected.Text()) << c.Html;
  }
  EXPECT_EQ(lines.Strings(DocumentHeadLines + 7 * 2 + 5), "avantapr\xC3\xA8s<BR>");
}
