// The platform base layer: everything below windows and drawing.
#pragma once

#include "platform/base/Exception.h"
#include "platform/base/Geometry.h"
#include "platform/base/Interface.h"
#include "platform/base/Method.h"
#include "platform/base/Object.h"
#include "platform/base/Path.h"
#include "platform/base/Persistent.h"
#include "platform/base/RtlConsts.h"
#include "platform/base/Set.h"
#include "platform/base/ShortString.h"
#include "platform/base/Types.h"
