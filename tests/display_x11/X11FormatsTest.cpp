// The conversions between the layer's clipboard formats and the X targets:
// what other programs get for each format, what the layer gets back, and
// foreign bytes that do not hold what they claim.
#include <gtest/gtest.h>

#include "platform/display/x11/X11Formats.h"
#include "platform/win/shell/DropFiles.h"

using namespace x11;

namespace {

std::vector<BYTE> Bytes(const std::string& s, bool zero = true)
{
  std::vector<BYTE> b(s.begin(), s.end());
  if (zero)
    b.push_back(0);
  return b;
}

std::vector<BYTE> Wide(const std::u16string& s)
{
  std::vector<BYTE> b;
  for (char16_t c : s) {
    b.push_back(BYTE(c & 0xFF));
    b.push_back(BYTE(c >> 8));
  }
  b.push_back(0);
  b.push_back(0);
  return b;
}

std::string Out(const std::string& layer, const std::string& target, const std::vector<BYTE>& bytes)
{
  std::string out;
  EXPECT_TRUE(LayerToX(layer, target, bytes, out)) << layer << " as " << target;
  return out;
}

std::string In(const std::string& target, const std::string& layer, const std::string& x)
{
  std::vector<BYTE> out;
  if (!XToLayer(target, layer, std::vector<unsigned char>(x.begin(), x.end()), out))
    return "<refused>";
  return std::string(out.begin(), out.end());
}

std::string HtmlBlock(const std::string& before, const std::string& fragment, const std::string& after)
{
  // The layer's own layout: a header of offsets, then the document.
  std::string doc = before + "<!--StartFragment-->" + fragment + "<!--EndFragment-->" + after;
  char header[200];
  const char* layout = "Version:0.9\r\nStartHTML:%010zu\r\nEndHTML:%010zu\r\nStartFragment:%010zu\r\nEndFragment:%010zu\r\n";
  std::size_t size = std::size_t(std::snprintf(header, sizeof header, layout, 0ul, 0ul, 0ul, 0ul));
  std::size_t fragmentAt = size + before.size() + 20;
  std::snprintf(header, sizeof header, layout, size, size + doc.size(), fragmentAt, fragmentAt + fragment.size());
  return header + doc;
}

}  // namespace

TEST(X11FormatsTest, EachLayerFormatGoesOutAsItsXTargets)
{
  struct {
    std::string Layer, Target;
    std::vector<BYTE> Bytes;
    std::string Expected;
  } cases[] = {
      {"CF_UNICODETEXT", "UTF8_STRING", Wide(u"Bonjour\r\nÉlodie €"), "Bonjour\nÉlodie €"},
      {"CF_UNICODETEXT", "text/plain;charset=utf-8", Wide(u"a\rb"), "a\nb"},
      {"CF_UNICODETEXT", "STRING", Wide(u"été €"), "\xE9t\xE9 ?"},
      {"CF_TEXT", "TEXT", Bytes("déjà\r\nvu"), "déjà\nvu"},
      {"HTML Format", "text/html", Bytes(HtmlBlock("<html><body>", "<b>gras</b>", "</body></html>")),
       "<html><body><!--StartFragment--><b>gras</b><!--EndFragment--></body></html>"},
      {"Rich Text Format", "text/rtf", Bytes("{\\rtf1 gras}"), "{\\rtf1 gras}"},
  };
  for (auto& c : cases)
    EXPECT_EQ(Out(c.Layer, c.Target, c.Bytes), c.Expected) << c.Layer << " as " << c.Target;
  EXPECT_TRUE(XTargetsOf("CF_BITMAP").empty());
}

TEST(X11FormatsTest, FileListsGoOutAsFileUris)
{
  HDROP drop = MakeDropFiles({"/tmp/un fichier.txt", "/home/élodie/100%.png"});
  std::vector<BYTE> bytes(static_cast<BYTE*>(GlobalLock(drop)), static_cast<BYTE*>(GlobalLock(drop)) + GlobalSize(drop));
  GlobalUnlock(drop);
  GlobalUnlock(drop);
  DragFinish(drop);
  std::string list = Out("CF_HDROP", "text/uri-list", bytes);
  EXPECT_EQ(list, "file:///tmp/un%20fichier.txt\r\nfile:///home/%C3%A9lodie/100%25.png\r\n");

  // And back: the same names.
  std::vector<BYTE> back;
  ASSERT_TRUE(XToLayer("text/uri-list", "CF_HDROP", std::vector<unsigned char>(list.begin(), list.end()), back));
  HGLOBAL block = BlockOf(back);
  ASSERT_EQ(DragQueryFileA(block, 0xFFFFFFFF, nullptr, 0), 2u);
  char name[256];
  DragQueryFileA(block, 1, name, sizeof name);
  EXPECT_STREQ(name, "/home/élodie/100%.png");
  DragFinish(block);
}

TEST(X11FormatsTest, ForeignDataComesInAsTheLayersFormats)
{
  struct {
    std::string Target, Layer, X, Expected;
  } cases[] = {
      {"UTF8_STRING", "CF_TEXT", "ligne 1\nligne 2", std::string("ligne 1\r\nligne 2") + '\0'},
      {"STRING", "CF_TEXT", "\xE9t\xE9", std::string("été") + '\0'},
      {"text/plain", "CF_TEXT", "a\0b", std::string("a") + '\0'},
      {"text/rtf", "Rich Text Format", "{\\rtf1 x}", std::string("{\\rtf1 x}") + '\0'},
      {"application/rtf", "Rich Text Format", "{\\rtf1 y}", std::string("{\\rtf1 y}") + '\0'},
      {"text/html", "CF_TEXT", "<b>x</b>", "<refused>"},
  };
  for (auto& c : cases)
    EXPECT_EQ(In(c.Target, c.Layer, c.X), c.Expected) << c.Target << " as " << c.Layer;
}

TEST(X11FormatsTest, IncomingHtmlGetsAHeaderWhoseOffsetsHoldTheFragment)
{
  struct {
    std::string X, Document, Fragment;
  } cases[] = {
      {"<i>penché</i>", "<i>penché</i>", "<i>penché</i>"},
      {"<html><body><!--StartFragment--><b>x</b><!--EndFragment--></body></html>",
       "<html><body><!--StartFragment--><b>x</b><!--EndFragment--></body></html>", "<b>x</b>"},
      // UTF-16 with a byte-order mark, as some programs send it.
      {std::string("\xFF\xFE<\0p\0>\0\xE9\0", 10), "<p>é", "<p>é"},
  };
  for (auto& c : cases) {
    std::string block = In("text/html", "HTML Format", c.X);
    ASSERT_FALSE(block.empty());
    ASSERT_EQ(block.back(), '\0');
    block.pop_back();
    auto offset = [&](const std::string& key) {
      std::size_t at = block.find(key + ":");
      return at == std::string::npos ? std::string::npos : std::size_t(std::stoul(block.substr(at + key.size() + 1)));
    };
    EXPECT_EQ(block.compare(0, 12, "Version:0.9\r"), 0);
    EXPECT_EQ(block.substr(offset("StartHTML"), offset("EndHTML") - offset("StartHTML")), c.Document);
    EXPECT_EQ(block.substr(offset("StartFragment"), offset("EndFragment") - offset("StartFragment")), c.Fragment);
    // Out again: the document without the header.
    EXPECT_EQ(Out("HTML Format", "text/html", Bytes(block)), c.Document);
  }
}

TEST(X11FormatsTest, BrokenHeadersAndListsNeverReachPastTheData)
{
  // Offsets past the end, reversed or absurd: the fragment, else what follows the header.
  struct {
    std::string Block, Expected;
  } html[] = {
      {"Version:0.9\r\nStartHTML:0000000010\r\nEndHTML:0000099999\r\n<p>x</p>", "<p>x</p>"},
      {"Version:0.9\r\nStartHTML:-1\r\nEndHTML:-1\r\nStartFragment:0000000000\r\nEndFragment:0000000004\r\n",
       "Vers"},
      {"Version:0.9\r\nStartHTML:99999999999999999999\r\n<p>y</p>", "<p>y</p>"},
      {"<p>sans en-tête</p>", "<p>sans en-tête</p>"},
      {"", ""},
  };
  for (auto& c : html)
    EXPECT_EQ(Out("HTML Format", "text/html", Bytes(c.Block)), c.Expected) << c.Block;

  // Only local files come in: other hosts, other schemes, broken escapes and
  // embedded zeros are left out; a list with nothing left is refused.
  EXPECT_EQ(In("text/uri-list", "CF_HDROP", "http://ici/a\r\nfile://ailleurs/b\r\n# commentaire\r\nfile:/c%00d\r\n"),
            "<refused>");
  std::string kept = In("text/uri-list", "CF_HDROP", "file:///a%zz%4\r\nfile://localhost/b%2Fc\nfile:/d\n");
  ASSERT_NE(kept, "<refused>");
  HGLOBAL h = BlockOf(std::vector<BYTE>(kept.begin(), kept.end()));
  std::vector<std::string> names;
  for (UINT i = 0; i < DragQueryFileA(h, 0xFFFFFFFF, nullptr, 0); ++i) {
    char name[64];
    DragQueryFileA(h, i, name, sizeof name);
    names.push_back(name);
  }
  DragFinish(h);
  EXPECT_EQ(names, (std::vector<std::string>{"/a%zz%4", "/b/c", "/d"}));

  // A CF_HDROP block too short for its header makes no list.
  std::string out;
  EXPECT_FALSE(LayerToX("CF_HDROP", "text/uri-list", {1, 2, 3}, out));
}
