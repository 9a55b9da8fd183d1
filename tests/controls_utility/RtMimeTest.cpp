#include <gtest/gtest.h>

#include "controls/utility/RtMime.h"

TEST(RtMime, EncodesWithPaddingAndNoLineBreaks)
{
  struct Case {
    const char* plain;
    const char* encoded;
  } cases[] = {
      {"", ""}, {"a", "YQ=="}, {"ab", "YWI="}, {"abc", "YWJj"}, {"abcd", "YWJjZA=="}, {"\xFF\xFE\xFD", "//79"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Base64Encode(c.plain), c.encoded) << c.plain;

  std::string hundred(100, 'x');
  std::string encoded = Base64Encode(hundred);
  EXPECT_EQ(encoded.size(), 136u);
  EXPECT_EQ(encoded.find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(EncodedLength(100), 136u);
}

TEST(RtMime, DecodingSkipsForeignCharactersAndKeepsPartialGroups)
{
  struct Case {
    const char* encoded;
    std::string plain;
  } cases[] = {
      {"YWJj", "abc"},   {"YWI", "ab"},   {"YWI=", "ab"},     {"YQ", "a"},  {"YW\r\nJj", "abc"},
      {"YW Jj", "abc"},  {"====", ""},    {"Y", ""},          {"", ""},     {"Y=W=J=j", "abc"},
      {"!!\x80\xFF", ""}, {"AAAA", std::string(3, '\0')},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Base64Decode(c.encoded), c.plain) << c.encoded;
}

TEST(RtMime, EveryByteValueSurvivesARoundTrip)
{
  std::string all;
  for (int i = 0; i < 256; ++i)
    all += char(i);
  for (std::size_t length : {std::size_t(254), std::size_t(255), std::size_t(256)})
    EXPECT_EQ(Base64Decode(Base64Encode(all.substr(0, length))), all.substr(0, length)) << length;
}

TEST(RtMime, DecoderFedInPiecesGivesTheWholeResult)
{
  std::string text = Base64Encode("Corvane, messagerie instantanée");
  std::vector<std::uint8_t> out(DecodedLengthMax(text.size()));
  TBase64Decoder decoder;
  std::size_t n = 0;
  // Pieces that cut groups anywhere: the state carries over.
  for (std::size_t at = 0; at < text.size(); at += 5)
    n += decoder.Decode(text.data() + at, std::min<std::size_t>(5, text.size() - at), out.data() + n);
  n += decoder.Finish(out.data() + n);
  EXPECT_EQ(std::string(out.begin(), out.begin() + long(n)), "Corvane, messagerie instantanée");
}
