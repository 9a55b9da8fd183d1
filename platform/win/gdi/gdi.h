// The drawing layer: device contexts, objects, primitives, text, bitmaps, icons, image lists.
#pragma once

#include "platform/win/gdi/Bitmaps.h"
#include "platform/win/gdi/Blit.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Edges.h"
#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/GdiTypes.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/Palettes.h"
#include "platform/win/gdi/Region.h"
#include "platform/win/gdi/Regions.h"
#include "platform/win/gdi/Primitives.h"
#include "platform/win/gdi/SurfaceDC.h"
#include "platform/win/gdi/SysColors.h"
#include "platform/win/gdi/Text.h"
