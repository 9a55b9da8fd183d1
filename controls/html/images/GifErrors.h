// The GIF decoder's error texts (index and text), its exception and the last
// error it raised.
#pragma once

#include <string>

enum TGifError {
  geNone, geSignature, geNoColorTable, geUnknownExtension, geUnknownOperation, geExtensionBlockSize, geSpecial,
  geExtensionTerminator, geIntegerSize, geNoTerminator, geExtensionOrder, geImageDescriptorIndex, geLZWCodeSize,
  geLZWDataFormat, geLZWOverflow, geValueOutOfRange, geNilPointer, geColorTableSize, geNoImage, geInvalidBitmap,
  geColorTableIndex, geInterlacePass, geBitmap, geTooManyColors, geUnexpectedEnd, geNextMessage
};

const char* GifErrorText(TGifError Error);
// Raises EInvalidGraphicOperation "TGif: <text of Error>" (Special replaces
// the text of geSpecial) and records the error.
[[noreturn]] void RaiseGifError(TGifError Error, const std::string& Special = {});
int GifLastErrorIndex();
std::string GifLastErrorText();
