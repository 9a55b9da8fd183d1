#include <gtest/gtest.h>

#include "platform/classes/Hints.h"
#include "platform/classes/menus/Hotkeys.h"
#include "platform/classes/menus/ShortCuts.h"
#include "platform/win/window/VirtualKeys.h"

TEST(ShortCutTest, TextsRoundTrip)
{
  struct Case {
    const char* Text;
    TShortCut ShortCut;
  } cases[] = {
      {"Ctrl+Enter", 16397},
      {"Alt+S", TShortCut('S' | scAlt)},
      {"Shift+F10", TShortCut(VK_F10 | scShift)},
      {"Ctrl+A", TShortCut('A' | scCtrl)},
      {"Shift+Ctrl+Alt+Del", TShortCut(VK_DELETE | scShift | scCtrl | scAlt)},
      {"BkSp", VK_BACK},
      {"PgDn", VK_NEXT},
      {"F24", VK_F24},
      {"Ctrl+7", TShortCut('7' | scCtrl)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text);
    EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut) << c.Text;
  }
}

TEST(ShortCutTest, ReadingTakesOtherSpellingsAndRefusesUnknownKeys)
{
  struct Case {
    const char* Text;
    TShortCut ShortCut;
  } cases[] = {
      {"ctrl+enter", 16397},          {"^A", TShortCut('A' | scCtrl)},
      {"Suppr", VK_DELETE},           {"Maj+Entrée", TShortCut(VK_RETURN | scShift)},
      {"Ctrl+Echap", TShortCut(VK_ESCAPE | scCtrl)}, {"Alt+Début", TShortCut(VK_HOME | scAlt)},
      {"Ctrl+", 0},                   {"", 0},
      {"Ctrl+Foo", 0},                {"F25", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut) << c.Text;
  // The numeric pad's digits read as digits; keys without a name have no text.
  EXPECT_EQ(ShortCutToText(TShortCut((VK_NUMPAD0 + 3) | scCtrl)), "Ctrl+3");
  EXPECT_EQ(ShortCutToText(VK_OEM_1), "");
  EXPECT_EQ(ShortCut(0x141, {ssCtrl}), scNone);
  WORD key;
  TShiftState shift;
  ShortCutToKey(16397, key, shift);
  EXPECT_EQ(key, VK_RETURN);
  EXPECT_TRUE(shift == TShiftState{ssCtrl});
}

TEST(ShortCutTest, HotkeyMarkersAndHintParts)
{
  struct Case {
    const char* Text;
    const char* Stripped;
    const char* Hotkey;
  } cases[] = {
      {"&Fichier", "Fichier", "F"},  {"A && B", "A & B", ""},   {"Re&&&set", "Re&set", "s"},
      {"Fin&", "Fin", ""},           {"&Éditer", "Éditer", "É"}, {"&a&b", "ab", "b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StripHotkey(c.Text), c.Stripped) << c.Text;
    EXPECT_EQ(GetHotkey(c.Text), c.Hotkey) << c.Text;
  }
  EXPECT_TRUE(AnsiSameCaption("&Quitter", "QUITTER"));

  EXPECT_EQ(GetShortHint("Envoyer|Envoie le message"), "Envoyer");
  EXPECT_EQ(GetLongHint("Envoyer|Envoie le message"), "Envoie le message");
  EXPECT_EQ(GetShortHint("Envoyer"), "Envoyer");
  EXPECT_EQ(GetLongHint("Envoyer"), "Envoyer");
  EXPECT_EQ(GetLongHint("a|b|c"), "b|c");
  EXPECT_EQ(GetShortHint("|long"), "");
}
