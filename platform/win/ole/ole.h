// The component-object layer: basics, streams, data objects, the OLE
// clipboard, and drag and drop.
#pragma once

#include "platform/win/ole/ComBase.h"
#include "platform/win/ole/DataObject.h"
#include "platform/win/ole/DragDrop.h"
#include "platform/win/ole/DragDropBridge.h"
#include "platform/win/ole/HGlobalStream.h"
#include "platform/win/ole/OleClipboard.h"
#include "platform/win/ole/StreamAdapter.h"
