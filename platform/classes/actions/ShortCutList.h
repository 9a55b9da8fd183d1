// TShortCutList: shortcut texts, each with the shortcut it names.
#pragma once

#include "platform/base/StringList.h"
#include "platform/classes/menus/ShortCuts.h"

class TShortCutList : public TStringList {
public:
  TShortCut ShortCuts(int Index) const;
  // -1 when no text names the shortcut.
  int IndexOfShortCut(TShortCut ShortCut) const;

protected:
  void InsertItem(int Index, const std::string& S, TObject* AObject) override;
};
