// TTBCustomItemActionLink: shows a TCustomAction's properties on an item,
// except those the item was given a value of its own for.
#pragma once

#include "platform/classes/actions/ClientActionLink.h"

class TTBCustomItem;

extern template class TClientActionLink<TTBCustomItem>;

class TTBCustomItemActionLink : public TClientActionLink<TTBCustomItem> {
public:
  using TClientActionLink<TTBCustomItem>::TClientActionLink;
};
