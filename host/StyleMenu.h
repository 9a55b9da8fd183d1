// The style menu: one item per registered theme; choosing one makes it the
// theme of every themed menu, toolbar and panel for the rest of the run.
#pragma once

class TObject;
class TTBCustomItem;

class TStyleMenu {
public:
  // StyleMenu: the submenu (mnuStyle) that lists the themes and shows the
  // current one as its caption.
  explicit TStyleMenu(TTBCustomItem* StyleMenu);
  TStyleMenu(const TStyleMenu&) = delete;
  TStyleMenu& operator=(const TStyleMenu&) = delete;

  // Shows the current theme and lists the registered ones in registry order.
  void BuildStyleMenu();
  // The click of a theme's item: switches to the theme it names.
  void StyleClick(TObject* Sender);

private:
  TTBCustomItem* FStyleMenu;
};
