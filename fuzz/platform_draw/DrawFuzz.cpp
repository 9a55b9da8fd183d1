// Fuzz entry for the drawing layer's readers of outside data: BMP files,
// packed DIBs, ".ico"/".cur" files and image-list streams. The first byte
// chooses the reader; what reads is written and read again unchanged.
#include <cstddef>
#include <cstdint>

#include "platform/base/MemoryStream.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/ole/StreamAdapter.h"

namespace {

void CheckBitmapRoundTrip(HBITMAP bitmap)
{
  std::vector<uint8_t> file = WriteBmpFile(bitmap);
  HBITMAP again = file.empty() ? nullptr : ReadBmpFile(file.data(), file.size());
  if (!again || !(CaptureBitmap(again) == CaptureBitmap(bitmap)))
    __builtin_trap();
  DeleteObject(again);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (size == 0)
    return 0;
  const std::uint8_t* body = data + 1;
  std::size_t n = size - 1;
  switch (data[0] % 4) {
    case 0:
      if (HBITMAP b = ReadBmpFile(body, n)) {
        CheckBitmapRoundTrip(b);
        DeleteObject(b);
      }
      break;
    case 1:
      if (HBITMAP b = ReadPackedDib(body, n)) {
        CheckBitmapRoundTrip(b);
        DeleteObject(b);
      }
      break;
    case 2:
      if (HICON icon = CreateIconFromFile(body, n, data[0] / 4)) {
        ICONINFO info;
        if (!GetIconInfo(icon, &info))
          __builtin_trap();
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        DestroyIcon(icon);
      }
      break;
    default: {
      TMemoryStream in;
      in.WriteBuffer(body, Integer(n));
      in.SetPosition(0);
      InterfacePtr<IStream> reader(new TStreamAdapter(&in));
      if (HIMAGELIST list = ImageList_Read(reader.Get())) {
        TMemoryStream out;
        InterfacePtr<IStream> writer(new TStreamAdapter(&out));
        if (!ImageList_Write(list, writer.Get()))
          __builtin_trap();
        out.SetPosition(0);
        HIMAGELIST again = ImageList_Read(writer.Get());
        if (!again || ImageList_GetImageCount(again) != ImageList_GetImageCount(list))
          __builtin_trap();
        ImageList_Destroy(again);
        ImageList_Destroy(list);
      }
      break;
    }
  }
  return 0;
}
