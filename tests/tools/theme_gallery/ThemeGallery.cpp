// theme_gallery GOLDEN_DIR OUT_DIR [--update]
//
// Draws every scene of the gallery for every theme of the table, on both theme
// paths (plain and with visual styles) and in each colour scheme, under the
// fixed profile, and compares each picture with its golden PNG. A picture that
// differs is written to OUT_DIR as NAME-actual.png beside NAME-diff.png (the
// differing pixels in magenta over a faded copy of the picture). With
// --update the pictures replace the golden ones instead.
#include <cstdio>
#include <filesystem>
#include <string>

#include "GalleryProfile.h"
#include "GalleryScenes.h"
#include "GalleryThemes.h"
#include "controls/themes/TBWScratchBitmap.h"
#include "controls/themes/TBWStockObjects.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWTheme.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/win/win.h"
#include "tests/support/GoldenImage.h"

namespace {

constexpr uint32_t Magenta = 0xFF00FF;

// Two 16 x 16 images on a white mask: a framed blue square, and a round
// glyph of mid-tones (what the faded, tinted and shaded forms work on).
HIMAGELIST MakeTestImages()
{
  TScratchBitmap art(32, 16);
  art.Fill(0xFFFFFF);
  for (int y = 2; y < 14; ++y)
    for (int x = 2; x < 14; ++x)
      art.At(x, y) = (x == 2 || y == 2 || x == 13 || y == 13) ? 0x102060 : 0x3070D0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const int dx = x * 2 - 15, dy = y * 2 - 15;
      const int d = dx * dx + dy * dy;
      if (d < 196)
        art.At(16 + x, y) = d < 64 ? 0xE0A020 : d < 144 ? 0x20A040 : 0x404040;
    }
  HBITMAP image = CreateBitmap(32, 16, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, image);
  BitBlt(dc, 0, 0, 32, 16, art.DC(), 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteDC(dc);
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 1);
  ImageList_AddMasked(list, image, RGB(255, 255, 255));
  DeleteObject(image);
  return list;
}

TPixelImage Render(const TGalleryScene& Scene, const TGalleryContext& Context)
{
  TScratchBitmap surface(Scene.Width, Scene.Height);
  surface.Fill(0xFFFFFF);
  TCanvas canvas;
  canvas.SetHandle(surface.DC());
  Scene.Paint(Context, &canvas);
  canvas.SetHandle(nullptr);
  GdiFlush();
  return CaptureDC(surface.DC());
}

TPixelImage DiffImage(const TPixelImage& Actual, const TPixelImage& Golden)
{
  TPixelImage diff = Actual;
  const bool sameSize = Actual.Width == Golden.Width && Actual.Height == Golden.Height;
  for (std::size_t i = 0; i < diff.Pixels.size(); ++i) {
    if (!sameSize || Actual.Pixels[i] != Golden.Pixels[i]) {
      diff.Pixels[i] = Magenta;
    } else {
      const uint32_t p = Actual.Pixels[i];
      auto fade = [](uint32_t c) { return (c + 3 * 255) / 4; };
      diff.Pixels[i] = fade(p >> 16 & 0xFF) << 16 | fade(p >> 8 & 0xFF) << 8 | fade(p & 0xFF);
    }
  }
  return diff;
}

std::string Lower(std::string Text)
{
  for (char& c : Text)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  return Text;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc < 3) {
    std::fprintf(stderr, "usage: theme_gallery GOLDEN_DIR OUT_DIR [--update]\n");
    return 2;
  }
  const std::filesystem::path golden = argv[1], out = argv[2];
  const bool update = argc > 3 && std::string(argv[3]) == "--update";
  std::filesystem::create_directories(update ? golden : out);

  EnterGalleryProfile();
  for (const TGalleryTheme& theme : GalleryThemes())
    if (!ThemeExists(theme.Name))
      RegisterTheme(theme.Name, theme.Class);
  TCustomImageList images(nullptr, 16, 16);
  images.SetHandle(MakeTestImages());

  int passed = 0, failed = 0;
  for (const TGalleryTheme& entry : GalleryThemes()) {
    TTBWTheme* theme = AcquireTheme(entry.Name);
    const TGalleryContext context{theme, &images};
    for (const TGalleryPath& path : GalleryPaths()) {
      for (const TGalleryScheme& scheme : GallerySchemes()) {
        SelectGalleryLook(scheme, path);
        if (VisualStylesActiveNow() != path.VisualStyles) {
          std::printf("%s %s: the visual styles did not follow the option\n", entry.Name.c_str(), path.Name.c_str());
          ++failed;
          continue;
        }
        for (const TGalleryScene& scene : GalleryScenes()) {
          const std::string name = Lower(entry.Name) + "-" + path.Name + "-" + scheme.Name + "-" + scene.Name;
          const TPixelImage picture = Render(scene, context);
          if (update) {
            WritePng((golden / (name + ".png")).string(), picture);
            ++passed;
            continue;
          }
          TPixelImage expected;
          if (ReadPng((golden / (name + ".png")).string(), expected) && expected == picture) {
            ++passed;
            continue;
          }
          ++failed;
          WritePng((out / (name + "-actual.png")).string(), picture);
          WritePng((out / (name + "-diff.png")).string(), DiffImage(picture, expected));
          std::printf("FAILED %s: differs from %s; see %s\n", name.c_str(),
                      (golden / (name + ".png")).string().c_str(), (out / (name + "-diff.png")).string().c_str());
        }
      }
    }
    ReleaseTheme(theme);
  }
  ClearThemeRegistry();
  FreeThemeManager();
  FreeStockObjects();
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed ? 1 : 0;
}
