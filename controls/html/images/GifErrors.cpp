#include "controls/html/images/GifErrors.h"

#include <mutex>

#include "platform/base/Format.h"
#include "platform/classes/graphics/Graphic.h"

namespace {

constexpr const char* Texts[] = {"no error",
                                 "Invalid GIF Signature Code",
                                 "No Local or Global Color Table for Image",
                                 "Unknown Graphics Extension Type",
                                 "Unknown Graphics Operation Code",
                                 "Invalid Extension Block Size",
                                 "[special message]",
                                 "Invalid Extension Block Terminator",
                                 "Invalid Integer Size",
                                 "No GIF Terminator Found",
                                 "Extension Block Out-Of-Order With Image Data",
                                 "Invalid Image Descriptor Index",
                                 "Invalid LZW Code Size",
                                 "Invalid LZW Data Format",
                                 "LZW Code Overflow",
                                 "Value Out Of Range",
                                 "NIL Pointer assigned",
                                 "Invalid Color Table Size",
                                 "No Image Description",
                                 "Invalid Bitmap Image",
                                 "Invalid Color Table Index",
                                 "Invalid Interlace Pass",
                                 "Invalid Bitmap",
                                 "Too Many Colors In Bitmap",
                                 "Unexpected end of file",
                                 "next message"};

std::mutex LastLock;
int LastIndex = 0;
std::string LastText = Texts[0];

}  // namespace

const char* GifErrorText(TGifError Error)
{
  return Texts[int(Error)];
}

void RaiseGifError(TGifError Error, const std::string& Special)
{
  std::string text = Error == geSpecial && !Special.empty() ? Special : std::string(Texts[int(Error)]);
  {
    std::lock_guard<std::mutex> lock(LastLock);
    LastIndex = int(Error);
    LastText = text;
  }
  throw EInvalidGraphicOperation(Format("TGif: %s", text));
}

int GifLastErrorIndex()
{
  std::lock_guard<std::mutex> lock(LastLock);
  return LastIndex;
}

std::string GifLastErrorText()
{
  std::lock_guard<std::mutex> lock(LastLock);
  return LastText;
}
