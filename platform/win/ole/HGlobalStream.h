// Streams over global memory blocks: what a data object hands out as a
// TYMED_ISTREAM medium, and how a block of the clipboard is read as a stream.
#pragma once

#include "platform/win/ole/StreamAdapter.h"
#include "platform/win/window/Clipboard.h"

// A stream over the block (a new moveable block of size 0 when null), its
// size the block's, its position 0; writing past the end grows the block.
// With deleteOnRelease the block is freed when the last stream on it goes.
HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, IStream** stream);
// The block under a stream made by CreateStreamOnHGlobal; E_INVALIDARG for
// any other stream.
HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* block);
