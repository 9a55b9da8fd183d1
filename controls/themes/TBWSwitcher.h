// TTBWSwitcher: the non-visual component a form places to choose the
// process-wide theme and the manager's two options, and to hear about theme
// changes (OnThemeChange fires on every 0x53A, three times a switch).
#pragma once

#include <string>

#include "platform/base/Method.h"
#include "platform/classes/MessageDispatch.h"
#include "platform/classes/components/Component.h"

enum TFlatMenuStyle { fmsAuto, fmsEnable, fmsDisable };

class TTBWSwitcher : public TComponent, public TMessageDispatcher {
public:
  explicit TTBWSwitcher(TComponent* AOwner);
  ~TTBWSwitcher() override;

  std::string Theme() const;
  // An unknown name changes nothing.
  void SetTheme(const std::string& Value);
  bool EnableXPStyles() const;
  void SetEnableXPStyles(bool Value);
  TFlatMenuStyle FlatMenuStyle() const;
  void SetFlatMenuStyle(TFlatMenuStyle Value);
  int ThemeCount() const;
  std::string ThemeNameAt(int Index) const;

  TNotifyEvent OnThemeChange;

  void Dispatch(TMessage& Message) override;
  static int LivingSwitchers();
};
