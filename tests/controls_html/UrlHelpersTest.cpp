#include <gtest/gtest.h>

#include "controls/html/url/UrlHelpers.h"

TEST(UrlHelpersTest, UrlDirectory)
{
  EXPECT_EQ(UrlDirectory("http://h/a/b.html?x=/y"), "http://h/a/");
  EXPECT_EQ(UrlDirectory("http://h"), "http://h/");
  EXPECT_EQ(UrlDirectory("  dir/file.css "), "dir/");
}

TEST(UrlHelpersTest, CombineUrl)
{
  struct Case {
    const char *Base, *Relative, *Expected;
  } Cases[] = {
      {"http://h/a/b/", "../c.gif", "http://h/a/c.gif"},
      {"http://h/a/b/", "/c.gif", "http://h/c.gif"},
      {"http://h/a/", "//o/p", "http://o/p"},
      {"http://h", "x", "http://h/x"},
      {"http://h/", "../x", "http://h/x"},  // a "/../" at the root loses only its "../"
      {"http://h/a/", "./b/./c", "http://h/a/b/c"},
      {"http://h/a/b/c/", "../../d", "http://h/a/d"},
      {"file:///c:/site/", "img/a.gif", "file:///c:/site/img/a.gif"},
      {"file:///c:/site/", "//x", "file://///x"},
      {"http://h/a/", "", "http://h/a/"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(CombineUrl(C.Base, C.Relative), C.Expected) << C.Base << " + " << C.Relative;
}

TEST(UrlHelpersTest, AbsoluteReferenceAndProtocol)
{
  EXPECT_TRUE(IsAbsoluteReference("http://x"));
  EXPECT_FALSE(IsAbsoluteReference("a/b://c"));
  EXPECT_TRUE(IsAbsoluteReference("MAILTO:x@y"));
  EXPECT_FALSE(IsAbsoluteReference("x?http://y"));
  EXPECT_EQ(UrlProtocol("HTTP://h/p?q"), "http");
  EXPECT_EQ(UrlProtocol("/abc"), "http");
  EXPECT_EQ(UrlProtocol("mailto:a@b"), "mailto");
}

TEST(UrlHelpersTest, SplitUrl)
{
  struct Case {
    const char* Url;
    TUrlParts Parts;
  } Cases[] = {
      {"ftp://u:p@h:21/p/q", {"ftp", "u", "p", "h", "21", "/p/q"}},
      {"/abc", {"http", "", "", "", "", "/abc"}},
      {"http:foo", {"http", "", "", "", "", "foo"}},
      {"http://u@h/x", {"http", "u", "", "h", "", "/x"}},
      {"http://h:8080", {"http", "", "", "h", "8080", ""}},
      {"mailto:a@b", {"mailto", "a", "", "b", "", ""}},
      {"//h/p", {"http", "", "", "", "", "/h/p"}},  // the host lands in the path
  };
  for (const Case& C : Cases) {
    TUrlParts P = SplitUrl(C.Url);
    EXPECT_EQ(P.Protocol, C.Parts.Protocol) << C.Url;
    EXPECT_EQ(P.User, C.Parts.User) << C.Url;
    EXPECT_EQ(P.Password, C.Parts.Password) << C.Url;
    EXPECT_EQ(P.Host, C.Parts.Host) << C.Url;
    EXPECT_EQ(P.Port, C.Parts.Port) << C.Url;
    EXPECT_EQ(P.Path, C.Parts.Path) << C.Url;
  }
}

TEST(UrlHelpersTest, NthOccurrence)
{
  EXPECT_EQ(NthOccurrence("a", "banana", 2), 4);
  EXPECT_EQ(NthOccurrence("a", "banana", 5), 7);
  EXPECT_EQ(NthOccurrence("a", "banana", -1), 6);
  EXPECT_EQ(NthOccurrence("a", "banana", -4), 0);
  EXPECT_EQ(NthOccurrence("a", "banana", 0), 0);
  EXPECT_EQ(NthOccurrence("", "banana", 1), 7);
}

TEST(UrlHelpersTest, ReferenceToFileName)
{
  struct Case {
    const char *Reference, *Expected;
  } Cases[] = {
      {"file:///C|/My%20Docs/a.htm", "C:\\My Docs\\a.htm"},
      {"FILE://server/share/a.htm", "server\\share\\a.htm"},
      {"%41b", "%41b"},                // a "%" in the first place stops the decoding
      {"a%zz%41", "a%zz%41"},          // so does the first pair that is not hexadecimal
      {"a%2541", "a%41"},              // a decoded "%" is not decoded again
      {"a%00b/c", "a%00b\\c"},         // no zero byte in a file name
      {"a%41%42", "aAB"},
      {"plain%2", "plain%2"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(ReferenceToFileName(C.Reference), C.Expected) << C.Reference;
  EXPECT_EQ(ExpandReferenceFileName("\\img\\a.gif", "C:\\site"), "C:\\site\\img\\a.gif");
  EXPECT_EQ(ExpandReferenceFileName("\\\\srv\\a.gif", "C:\\site"), "\\\\srv\\a.gif");
  EXPECT_EQ(ExpandReferenceFileName("C:\\a.gif", "C:\\site"), "C:\\a.gif");
  EXPECT_EQ(ExpandReferenceFileName(" a.gif ", "C:\\site"), "a.gif");
}
