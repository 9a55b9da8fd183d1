#include "platform/win/gdi/detail/BuiltinGlyphs.h"
#include "platform/win/gdi/detail/FontEngine.h"

#include "platform/win/gdi/GdiConsts.h"

namespace gdi {

namespace {

// Accents drawn over a base letter: two rows of 5 bits.
struct TAccented {
  char32_t Code;
  char Base;
  uint8_t Accent[2];
  bool Cedilla;
};
constexpr uint8_t kGrave[2] = {0x08, 0x04}, kAcute[2] = {0x02, 0x04}, kCircumflex[2] = {0x04, 0x0A},
                  kDiaeresis[2] = {0x00, 0x0A}, kTilde[2] = {0x05, 0x0A}, kRing[2] = {0x04, 0x04};

#define CORVANE_ACCENT(code, base, accent) {code, base, {accent[0], accent[1]}, false}
const TAccented kAccented[] = {
    CORVANE_ACCENT(0xE0, 'a', kGrave),     CORVANE_ACCENT(0xE1, 'a', kAcute),     CORVANE_ACCENT(0xE2, 'a', kCircumflex),
    CORVANE_ACCENT(0xE3, 'a', kTilde),     CORVANE_ACCENT(0xE4, 'a', kDiaeresis), CORVANE_ACCENT(0xE5, 'a', kRing),
    CORVANE_ACCENT(0xE8, 'e', kGrave),     CORVANE_ACCENT(0xE9, 'e', kAcute),     CORVANE_ACCENT(0xEA, 'e', kCircumflex),
    CORVANE_ACCENT(0xEB, 'e', kDiaeresis), CORVANE_ACCENT(0xEC, 'i', kGrave),     CORVANE_ACCENT(0xED, 'i', kAcute),
    CORVANE_ACCENT(0xEE, 'i', kCircumflex), CORVANE_ACCENT(0xEF, 'i', kDiaeresis), CORVANE_ACCENT(0xF1, 'n', kTilde),
    CORVANE_ACCENT(0xF2, 'o', kGrave),     CORVANE_ACCENT(0xF3, 'o', kAcute),     CORVANE_ACCENT(0xF4, 'o', kCircumflex),
    CORVANE_ACCENT(0xF5, 'o', kTilde),     CORVANE_ACCENT(0xF6, 'o', kDiaeresis), CORVANE_ACCENT(0xF9, 'u', kGrave),
    CORVANE_ACCENT(0xFA, 'u', kAcute),     CORVANE_ACCENT(0xFB, 'u', kCircumflex), CORVANE_ACCENT(0xFC, 'u', kDiaeresis),
    CORVANE_ACCENT(0xFD, 'y', kAcute),     CORVANE_ACCENT(0xFF, 'y', kDiaeresis), CORVANE_ACCENT(0xC0, 'A', kGrave),
    CORVANE_ACCENT(0xC2, 'A', kCircumflex), CORVANE_ACCENT(0xC4, 'A', kDiaeresis), CORVANE_ACCENT(0xC8, 'E', kGrave),
    CORVANE_ACCENT(0xC9, 'E', kAcute),     CORVANE_ACCENT(0xCA, 'E', kCircumflex), CORVANE_ACCENT(0xCB, 'E', kDiaeresis),
    CORVANE_ACCENT(0xCE, 'I', kCircumflex), CORVANE_ACCENT(0xCF, 'I', kDiaeresis), CORVANE_ACCENT(0xD4, 'O', kCircumflex),
    CORVANE_ACCENT(0xD6, 'O', kDiaeresis), CORVANE_ACCENT(0xD9, 'U', kGrave),     CORVANE_ACCENT(0xDB, 'U', kCircumflex),
    CORVANE_ACCENT(0xDC, 'U', kDiaeresis), {0xE7, 'c', {0, 0}, true},              {0xC7, 'C', {0, 0}, true},
};
#undef CORVANE_ACCENT

constexpr int kAdvance = 6;

class TBuiltinInstance : public TFontInstance {
public:
  explicit TBuiltinInstance(const LOGFONTW& log) : FBold(log.lfWeight >= FW_SEMIBOLD)
  {
    Builtin = true;
    FamilyName = "Corvane Fixed";
    EmHeight = 11;
    Metrics.tmHeight = 13;
    Metrics.tmAscent = 10;
    Metrics.tmDescent = 3;
    Metrics.tmInternalLeading = 2;
    Metrics.tmExternalLeading = 0;
    Metrics.tmAveCharWidth = kAdvance;
    Metrics.tmMaxCharWidth = kAdvance;
    Metrics.tmWeight = FBold ? FW_BOLD : FW_NORMAL;
    Metrics.tmFirstChar = 0x20;
    Metrics.tmLastChar = 0xFF;
    Metrics.tmDefaultChar = 0x7F;
    Metrics.tmBreakChar = 0x20;
    Metrics.tmItalic = log.lfItalic ? 255 : 0;
    Metrics.tmUnderlined = log.lfUnderline ? 255 : 0;
    Metrics.tmStruckOut = log.lfStrikeOut ? 255 : 0;
    Metrics.tmPitchAndFamily = FF_MODERN;  // fixed pitch: the pitch bit clear
    Metrics.tmCharSet = log.lfCharSet;
    Metrics.tmDigitizedAspectX = Metrics.tmDigitizedAspectY = 96;
    Underline = log.lfUnderline;
    StrikeOut = log.lfStrikeOut;
    UnderlinePosition = 1;
    StrikeOutPosition = 3;
  }

protected:
  TGlyph Render(char32_t c) override
  {
    // Rows of 5 bits, the first row `top` pixels above the baseline.
    std::vector<uint8_t> rows;
    int top = 7;
    auto base = [](char32_t ch) -> const uint8_t* {
      return ch >= 0x20 && ch < 0x7F ? kBuiltinGlyphs[ch - 0x20] : nullptr;
    };
    if (const uint8_t* g = base(c)) {
      rows.assign(g, g + 9);
    } else if (c == 0xA0) {
      rows.assign(9, 0);
    } else {
      const TAccented* found = nullptr;
      for (const auto& a : kAccented)
        if (a.Code == c)
          found = &a;
      if (found) {
        const uint8_t* g = base(char32_t(found->Base));
        rows.assign(g, g + 9);
        if (found->Cedilla) {
          rows[7] = 0x04;
          rows[8] = 0x08;
        } else if (found->Base >= 'a') {
          // Lower case: the body starts at row 2; a dotted i loses its dot.
          rows[0] = found->Accent[0];
          rows[1] = found->Accent[1];
        } else {
          rows.insert(rows.begin(), {found->Accent[0], found->Accent[1]});
          top = 9;
        }
      } else {
        rows = {0x1F, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1F, 0, 0};  // a box for what the face lacks
      }
    }
    TGlyph glyph;
    glyph.Advance = kAdvance;
    glyph.Left = 0;
    glyph.Top = top;
    glyph.Width = 6;
    glyph.Height = int(rows.size());
    glyph.Coverage.assign(std::size_t(glyph.Width * glyph.Height), 0);
    for (int y = 0; y < glyph.Height; ++y)
      for (int x = 0; x < 5; ++x)
        if ((rows[std::size_t(y)] >> (4 - x)) & 1) {
          glyph.Coverage[std::size_t(y * glyph.Width + x)] = 255;
          if (FBold)  // bold doubles each column into the next
            glyph.Coverage[std::size_t(y * glyph.Width + x + 1)] = 255;
        }
    return glyph;
  }

private:
  bool FBold;
};

}  // namespace

std::shared_ptr<TFontInstance> NewBuiltinInstance(const LOGFONTW& log)
{
  return std::make_shared<TBuiltinInstance>(log);
}

const TGlyph& TFontInstance::Glyph(char32_t c)
{
  std::lock_guard<std::mutex> lock(FLock);
  auto it = FGlyphs.find(c);
  if (it != FGlyphs.end())
    return it->second;
  return FGlyphs.emplace(c, Render(c)).first->second;
}

int TFontInstance::MeasureAdvance(char32_t c) { return FGlyphs.emplace(c, Render(c)).first->second.Advance; }

int TFontInstance::AdvanceLocked(char32_t c)
{
  if (c < kDirectAdvances) {
    if (FDirectAdvances.empty())
      FDirectAdvances.assign(kDirectAdvances, -1);
    if (FDirectAdvances[c] < 0) {
      auto it = FGlyphs.find(c);
      FDirectAdvances[c] = it != FGlyphs.end() ? it->second.Advance : MeasureAdvance(c);
    }
    return FDirectAdvances[c];
  }
  auto known = FOtherAdvances.find(c);
  if (known != FOtherAdvances.end())
    return known->second;
  auto it = FGlyphs.find(c);
  const int advance = it != FGlyphs.end() ? it->second.Advance : MeasureAdvance(c);
  FOtherAdvances.emplace(c, advance);
  return advance;
}

int TFontInstance::Advance(char32_t c)
{
  std::lock_guard<std::mutex> lock(FLock);
  return AdvanceLocked(c);
}

void TFontInstance::AdvancesOf(const char32_t* chars, std::size_t count, int* out)
{
  std::lock_guard<std::mutex> lock(FLock);
  for (std::size_t i = 0; i < count; ++i)
    out[i] = AdvanceLocked(chars[i]);
}

}  // namespace gdi
