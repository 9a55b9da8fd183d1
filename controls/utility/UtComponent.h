// The base of the component library's non-visual components.
#pragma once

#include "platform/classes/components/Component.h"

class TUtComponent : public TComponent {
public:
  explicit TUtComponent(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
};
