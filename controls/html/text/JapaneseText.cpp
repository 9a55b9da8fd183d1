#include "controls/html/text/JapaneseText.h"

namespace {

constexpr unsigned char SS2 = 0x8E;
constexpr unsigned char SS3 = 0x8F;
constexpr unsigned char Esc = 0x1B;
constexpr char GetaMark[] = "\x81\xAC";

// The Shift-JIS lead byte of JIS row byte A (0x21 .. 0x7E): rows up to 0x5E
// land on 0x81 .. 0x9F, the others on 0xE0 .. 0xEF.
char LeadByte(int A)
{
  return char((A + 1) / 2 + (A <= 32 || A > 94 ? 176 : 112));
}

char TrailByte(int LeadA, int A)
{
  if (LeadA % 2 == 0)
    return char(A + 126);
  return char(A + (A >= 96 ? 32 : 31));
}

}  // namespace

std::string EucJpToShiftJis(std::string_view Text)
{
  std::string Out;
  Out.reserve(Text.size());
  int LeadA = -1;  // the lead byte's row while its trail byte is awaited
  for (std::size_t I = 0; I < Text.size(); ++I) {
    const unsigned char B = static_cast<unsigned char>(Text[I]);
    if (B == SS2 && I + 1 < Text.size() && static_cast<unsigned char>(Text[I + 1]) > 160) {
      Out += Text[++I];  // half-width katakana keep their byte in Shift-JIS
      LeadA = -1;
      continue;
    }
    if (B == SS3 && I + 2 < Text.size() && static_cast<unsigned char>(Text[I + 1]) > 160 &&
        static_cast<unsigned char>(Text[I + 2]) > 160) {
      Out += GetaMark;
      I += 2;
      LeadA = -1;
      continue;
    }
    if (B <= 160) {
      Out += char(B);
      LeadA = -1;
      continue;
    }
    const int A = B & 127;
    if (LeadA < 0) {
      Out += LeadByte(A);
      LeadA = A;
    } else {
      Out += TrailByte(LeadA, A);
      LeadA = -1;
    }
  }
  return Out;
}

std::string Iso2022JpToShiftJis(std::string_view Text)
{
  std::string Out;
  Out.reserve(Text.size());
  bool DoubleBytes = false;
  int LeadA = -1;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    const int B = static_cast<unsigned char>(Text[I]) & 127;
    if (B == Esc && I + 2 < Text.size()) {
      const int First = static_cast<unsigned char>(Text[I + 1]) & 127;
      const int Second = static_cast<unsigned char>(Text[I + 2]) & 127;
      if (First == '(' && (Second == 'B' || Second == 'J')) {
        DoubleBytes = false;
        LeadA = -1;
        I += 2;
        continue;
      }
      if (First == '$' && (Second == '@' || Second == 'B')) {
        DoubleBytes = true;
        LeadA = -1;
        I += 2;
        continue;
      }
    }
    if (!DoubleBytes) {
      Out += char(B);
    } else if (LeadA < 0) {
      Out += LeadByte(B);
      LeadA = B;
    } else {
      Out += TrailByte(LeadA, B);
      LeadA = -1;
    }
  }
  return Out;
}
