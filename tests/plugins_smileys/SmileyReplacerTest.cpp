// Replacing smileys: one pass over the message as it came, longest smiley
// first, markup never searched again, and the message's kind respected.
#include <gtest/gtest.h>

#include "plugins/smileys/SmileyReplacer.h"

namespace {

const std::string Folder = "C:\\News\\";

std::string Img(const std::string& image) { return "<IMG src=\"C:\\News\\config/" + image + "\">"; }

TSmileyReplacer Replacer()
{
  // ":" comes before ":)" and ":\" would have rewritten the "C:\" of every
  // element already put in, had later lines searched earlier results.
  return TSmileyReplacer({{":", "colon.gif"},
                          {":)", "smile.gif"},
                          {":\\", "hesite.gif"},
                          {":)", "autre.gif"},
                          {";)", "clin.gif"},
                          {"<3", "coeur.gif"},
                          {"%%", ""}},
                         Folder);
}

struct TCase {
  const char* Name;
  MessageKind KindIn;
  std::string TextIn;
  MessageKind KindOut;
  std::string TextOut;
};

}  // namespace

TEST(SmileyReplacer, Cases)
{
  const TSmileyReplacer replacer = Replacer();
  const TCase cases[] = {
      {"one smiley", mkText, "a :) b", mkHtml, "a " + Img("smile.gif") + " b"},
      {"longest first, markup untouched", mkText, ":):\\:", mkHtml,
       Img("smile.gif") + Img("hesite.gif") + Img("colon.gif")},
      {"plain text is escaped", mkText, "<img src=x onerror=1> & \"q\"", mkHtml,
       "&lt;img src=x onerror=1&gt; &amp; &quot;q&quot;"},
      {"a smiley with markup characters", mkText, "I <3 U", mkHtml, "I " + Img("coeur.gif") + " U"},
      {"CR is a line break", mkText, "a\r\nb", mkHtml, "a<BR>\nb"},
      {"short table line", mkText, "%%", mkHtml, Img("")},
      {"HTML: tags and references kept", mkHtml, "<a title=\":)\">;)&lt;)</a> &amp;:)", mkHtml,
       "<a title=\":)\">" + Img("clin.gif") + "&lt;)</a> &amp;" + Img("smile.gif")},
      {"HTML: a lone ampersand is text", mkHtml, "&:) <b", mkHtml, "&" + Img("smile.gif") + " <b"},
      {"RTF stays RTF", mkRtf, "{\\rtf1 :)}", mkRtf, "{\\rtf1 :)}"},
      {"unknown kind unchanged", 7, "<:)>", 7, "<:)>"},
  };
  for (const TCase& c : cases) {
    TReplacedMessage out = replacer.Replace(c.TextIn, c.KindIn);
    EXPECT_EQ(int(out.Kind), int(c.KindOut)) << c.Name;
    EXPECT_EQ(out.Text, c.TextOut) << c.Name;
  }
}

TEST(SmileyReplacer, SourcesFromOutsideCannotLeaveTheAttribute)
{
  TSmileyReplacer replacer({{":)", "a\" onerror=\"x.gif"}}, "/data/<b>&/");
  EXPECT_EQ(replacer.Replace(":)", mkText).Text,
            "<IMG src=\"/data/&lt;b&gt;&amp;/config/a&quot; onerror=&quot;x.gif\">");
}

TEST(SmileyReplacer, RepeatedSmileysAreCapped)
{
  const TSmileyReplacer replacer = Replacer();
  std::string text;
  for (int i = 0; i < 150; ++i)
    text += ";)";
  std::string expected;
  for (int i = 0; i < TSmileyReplacer::MaxReplacementsPerMessage; ++i)
    expected += Img("clin.gif");
  for (int i = TSmileyReplacer::MaxReplacementsPerMessage; i < 150; ++i)
    expected += ";)";
  EXPECT_EQ(replacer.Replace(text, mkText).Text, expected);
}

TEST(SmileyReplacer, AnEmptyTableOnlyEscapes)
{
  TSmileyReplacer replacer({}, "");
  EXPECT_EQ(replacer.Replace("a<b :)", mkText).Text, "a&lt;b :)");
  EXPECT_EQ(replacer.Replace("", mkText).Text, "");
}
