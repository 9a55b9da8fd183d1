#include "platform/base/Interface.h"

#include <cstdio>

std::string GUIDToString(const GUID& g)
{
  char text[39];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", unsigned(g.D1),
                unsigned(g.D2), unsigned(g.D3), g.D4[0], g.D4[1], g.D4[2], g.D4[3], g.D4[4], g.D4[5], g.D4[6],
                g.D4[7]);
  return text;
}

bool StringToGUID(const std::string& text, GUID& out)
{
  if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' || text[14] != '-' ||
      text[19] != '-' || text[24] != '-')
    return false;
  for (std::size_t i = 1; i < 37; ++i) {
    if (i == 9 || i == 14 || i == 19 || i == 24)
      continue;
    if (HexDigitValue(text[i]) < 0)
      return false;
  }
  char buffer[39];
  std::memcpy(buffer, text.c_str(), 39);
  out = MakeGUID(buffer);
  return true;
}
