#include "controls/toolbar/TBItemActionLink.h"

#include "controls/toolbar/TBCustomItem.h"
#include "platform/classes/actions/ClientActionLinkImpl.h"

template class TClientActionLink<TTBCustomItem>;
