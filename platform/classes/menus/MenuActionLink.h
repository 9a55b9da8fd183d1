// TMenuActionLink: shows an action's properties on a menu item, except those
// the item was given a value of its own for; a menu item also follows the
// action's group.
#pragma once

#include "platform/classes/actions/ClientActionLink.h"

class TMenuItem;

extern template class TClientActionLink<TMenuItem>;

class TMenuActionLink : public TClientActionLink<TMenuItem> {
public:
  using TClientActionLink<TMenuItem>::TClientActionLink;

  bool IsGroupIndexLinked() const override;
  void SetGroupIndex(int Value) override;
};
