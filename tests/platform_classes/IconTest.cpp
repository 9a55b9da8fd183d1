#include <gtest/gtest.h>

#include <memory>

#include "platform/base/MemoryStream.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Icon.h"
#include "platform/classes/graphics/ImageList.h"
#include "platform/win/gdi/gdi.h"

namespace {

std::unique_ptr<TBitmap> Filled(int w, int h, TPixelFormat format, TColor color)
{
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(format);
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(color);
  b->Canvas()->FillRect(TRect(0, 0, w, h));
  return b;
}

// A 16 x 16 icon: red, with a transparent left half.
HICON MakeIcon()
{
  auto colour = Filled(16, 16, pf32bit, clRed);
  auto mask = Filled(16, 16, pf1bit, clBlack);
  mask->Canvas()->Brush()->SetColor(clWhite);
  mask->Canvas()->FillRect(TRect(0, 0, 8, 16));
  ICONINFO ii;
  ii.hbmColor = colour->Handle();
  ii.hbmMask = mask->Handle();
  return CreateIconIndirect(&ii);
}

}  // namespace

TEST(IconTest, IconsRoundTripThroughStreamsAndImageLists)
{
  TIcon icon;
  icon.SetHandle(MakeIcon());
  EXPECT_EQ(icon.Width(), 16);
  EXPECT_THROW(icon.SetWidth(32), EInvalidGraphicOperation);

  TMemoryStream stream;
  icon.SaveToStream(&stream);
  stream.SetPosition(0);
  TIcon copy;
  copy.LoadFromStream(&stream);
  ASSERT_EQ(copy.Height(), 16);
  auto screen = Filled(16, 16, pf32bit, clGreen);
  screen->Canvas()->Draw(0, 0, &copy);
  EXPECT_EQ(screen->Canvas()->Pixels(2, 5), clGreen);
  EXPECT_EQ(screen->Canvas()->Pixels(12, 5), clRed);

  TImageList list(nullptr, 16, 16);
  EXPECT_EQ(list.AddIcon(&copy), 0);
  TIcon back;
  list.GetIcon(0, &back);
  auto again = Filled(16, 16, pf32bit, clBlue);
  again->Canvas()->Draw(0, 0, &back);
  EXPECT_EQ(again->Canvas()->Pixels(2, 5), clBlue);
  EXPECT_EQ(again->Canvas()->Pixels(12, 5), clRed);

  TImageList big(nullptr, 32, 32);
  EXPECT_THROW(big.AddIcon(&copy), EInvalidOperation);

  TMemoryStream garbage;
  garbage.WriteBuffer("\0\0\1\0\xFF\xFF", 6);
  garbage.SetPosition(0);
  EXPECT_THROW(copy.LoadFromStream(&garbage), EInvalidGraphic);
}

TEST(IconTest, BitmapsLoadFromModuleResources)
{
  auto source = Filled(3, 2, pf24bit, clOlive);
  std::vector<uint8_t> file = WriteBmpFile(source->Handle());
  static int anchor;  // any address stands for a module handle of its own
  HMODULE module = reinterpret_cast<HMODULE>(&anchor);
  TResourceEntry entries[] = {{"UT_TEST_IMAGE", "bmp", file.data(), file.size()}};
  RegisterResources(module, entries, 1);
  TBitmap b;
  b.LoadFromResourceName(module, "UT_TEST_IMAGE");
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), clOlive);
  EXPECT_ANY_THROW(b.LoadFromResourceName(module, "MISSING"));
  UnregisterResources(module);
}
