// The registry of descriptors generated at run time: each entry owns its
// descriptor and counts its users; the last release frees it, after releasing
// the entry of a set's element type or of a sub-range's base type.
#pragma once

#include <memory>

#include "platform/classes/typinfo/TypInfo.h"

// Hands a generated descriptor to the registry (one use); answers it.
PTypeInfo RtAddGeneratedTypeInfo(std::unique_ptr<TTypeInfo> Descriptor);
// One more use of a registered descriptor; false for one the registry lacks.
bool RtUseGeneratedTypeInfo(PTypeInfo Descriptor);
// Drops one use; an unknown descriptor is ignored.
void RtRemoveGeneratedTypeInfo(PTypeInfo Descriptor);
// The number of registered descriptors.
int RtGeneratedTypeInfoCount();
// Removes every entry, from the last (as at the end of the program).
void RtClearGeneratedTypeInfos();
