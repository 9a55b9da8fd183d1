#include "controls/html/parser/CharsetTable.h"

#include "platform/base/StringRoutines.h"

namespace {

struct TCharsetRow {
  const char* Name;
  int CharSet;
};

constexpr TCharsetRow CharsetTable[46] = {
    {"1252", 0},         {"8859-1", 0},       {"1253", 161},      {"8859-7", 161},     {"1250", 238},
    {"8859-2", 31},      {"1251", 204},       {"8859-5", 204},    {"koi", 204},        {"866", 204},
    {"1254", 162},       {"8859-3", 162},     {"8859-9", 162},    {"1257", 186},       {"8859-4", 186},
    {"932", 128},        {"949", 129},        {"936", 134},       {"950", 136},        {"1255", 177},
    {"1256", 178},       {"1258", 163},       {"874", 222},       {"ansi", 0},         {"default", 1},
    {"symbol", 2},       {"shiftjis", 128},   {"shift_jis", 128}, {"x-sjis", 128},     {"hangeul", 129},
    {"gb2312", 134},     {"big5", 136},       {"oem", 255},       {"johab", 130},      {"hebrew", 177},
    {"arabic", 178},     {"greek", 161},      {"turkish", 162},   {"vietnamese", 163}, {"thai", 222},
    {"easteurope", 238}, {"russian", 204},    {"euc-kr", 129},    {"5601", 129},       {"euc-jp", EucJpMark},
    {"8859-15", 0},
};

}  // namespace

bool TranslateCharset(std::string_view Text, int& CharSet)
{
  const std::string Lower = LowerCase(Text);
  for (const TCharsetRow& Row : CharsetTable)
    if (Lower.find(Row.Name) != std::string::npos) {
      CharSet = Row.CharSet;
      return true;
    }
  return false;
}
