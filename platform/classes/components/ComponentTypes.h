// The enumerations and sets of the component model, described for the run-time
// type information.
#pragma once

#include "platform/base/Method.h"
#include "platform/base/Set.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"

class TComponent;

CORVANE_ENUM(TOperation, "Classes", opInsert, opRemove);

CORVANE_ENUM(TComponentStateFlag, "Classes", csLoading, csReading, csWriting, csDestroying, csDesigning,
             csAncestor, csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance);
using TComponentState = Set<TComponentStateFlag>;
CORVANE_DESCRIBE_SET(TComponentState);

CORVANE_ENUM(TComponentStyleFlag, "Classes", csInheritable, csCheckPropAvail, csSubComponent, csTransient);
using TComponentStyle = Set<TComponentStyleFlag>;
CORVANE_DESCRIBE_SET(TComponentStyle);

CORVANE_ENUM(TCollectionNotification, "Classes", cnAdded, cnExtracting, cnDeleting);

// Called by GetChildren once per child component that a writer stores.
using TGetChildProc = Method<void(TComponent* Child)>;
