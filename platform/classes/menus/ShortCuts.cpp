#include "platform/classes/menus/ShortCuts.h"

#include <cstring>

#include "platform/base/AnsiStrings.h"
#include "platform/base/IntConversions.h"

namespace {

// Keys 0x08-0x09, 0x0D, 0x1B, 0x20-0x28, 0x2D-0x2E in key order.
struct TKeyName {
  BYTE Key;
  const char* Name;
};
constexpr TKeyName KeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},   {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"},  {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},   {0x2E, "Del"},
};
// Names read besides the ones written.
constexpr TKeyName FrenchKeyNames[] = {
    {0x08, "Retour arrière"}, {0x08, "Retour arriere"}, {0x1B, "Echap"}, {0x1B, "Échap"},
    {0x0D, "Entrée"},        {0x0D, "Entree"},        {0x20, "Espace"}, {0x21, "Pg préc"},
    {0x21, "Pg prec"},       {0x22, "Pg suiv"},       {0x23, "Fin"},    {0x24, "Début"},
    {0x24, "Debut"},         {0x25, "Gauche"},        {0x26, "Haut"},   {0x27, "Droite"},
    {0x28, "Bas"},           {0x2D, "Inser"},         {0x2E, "Suppr"},
};

std::string KeyName(BYTE key)
{
  for (const auto& k : KeyNames)
    if (k.Key == key)
      return k.Name;
  if (key >= 0x30 && key <= 0x39)
    return std::string(1, char(key));
  if (key >= 0x41 && key <= 0x5A)
    return std::string(1, char(key));
  if (key >= 0x60 && key <= 0x69)
    return std::string(1, char('0' + key - 0x60));
  if (key >= 0x70 && key <= 0x87)
    return "F" + IntToStr(key - 0x6F);
  return "";
}

bool TakeFront(std::string& text, const char* front)
{
  std::size_t n = std::strlen(front);
  if (text.size() < n || !AnsiSameText(text.substr(0, n), front))
    return false;
  text.erase(0, n);
  return true;
}

}  // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift)
{
  if (Key > 0xFF)
    return scNone;
  TShortCut result = Key;
  if (Shift.Contains(ssShift))
    result |= scShift;
  if (Shift.Contains(ssCtrl))
    result |= scCtrl;
  if (Shift.Contains(ssAlt))
    result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift)
{
  Key = ShortCut & WORD(~(scShift | scCtrl | scAlt));
  Shift = TShiftState();
  if (ShortCut & scShift)
    Shift += ssShift;
  if (ShortCut & scCtrl)
    Shift += ssCtrl;
  if (ShortCut & scAlt)
    Shift += ssAlt;
}

std::string ShortCutToText(TShortCut ShortCut)
{
  std::string name = KeyName(BYTE(ShortCut & 0xFF));
  if (name.empty())
    return "";
  std::string result;
  if (ShortCut & scShift)
    result += "Shift+";
  if (ShortCut & scCtrl)
    result += "Ctrl+";
  if (ShortCut & scAlt)
    result += "Alt+";
  return result + name;
}

TShortCut TextToShortCut(std::string Text)
{
  TShortCut shift = 0;
  for (;;) {
    if (TakeFront(Text, "Shift+") || TakeFront(Text, "Maj+"))
      shift |= scShift;
    else if (TakeFront(Text, "^") || TakeFront(Text, "Ctrl+"))
      shift |= scCtrl;
    else if (TakeFront(Text, "Alt+"))
      shift |= scAlt;
    else
      break;
  }
  if (Text.empty())
    return scNone;
  for (int key = 0x08; key <= 0xFF; ++key)
    if (AnsiSameText(Text, KeyName(BYTE(key))))
      return TShortCut(key | shift);
  for (const auto& k : FrenchKeyNames)
    if (AnsiSameText(Text, k.Name))
      return TShortCut(k.Key | shift);
  return scNone;
}
