// The OLE clipboard: a data object placed on the layer's clipboard
// (Clipboard.h). Its formats are promised there, so GetClipboardData of any of
// them renders it from the object; OleGetClipboard answers an object that
// reads whatever the clipboard holds, plain data included.
#pragma once

#include "platform/win/ole/DataObject.h"

// Empties the clipboard and, with an object, promises every format it lists
// for reading in global memory or a stream, keeping a reference until the
// clipboard is emptied again (by anybody), flushed, or set anew. Null just
// empties. Needs OleInitialize on the calling thread (CO_E_NOTINITIALIZED).
HRESULT OleSetClipboard(IDataObject* data);
// An object over the clipboard as it is when asked: the data object set on
// it (called directly, in any medium it gives), or the plain contents, each
// format offered in global memory or as a stream. Always succeeds with an
// object unless out is null.
HRESULT OleGetClipboard(IDataObject** data);
// Renders every format of the calling thread's object into the clipboard and
// releases the object; the data stay readable. S_OK also when there is none.
HRESULT OleFlushClipboard();
// S_OK when the object (compared by identity) is the one on the clipboard.
HRESULT OleIsCurrentClipboard(IDataObject* data);
