// theme_gallery GOLDEN_DIR OUT_DIR [--update]
//
// Draws every scene of the gallery for every theme of the table, on both theme
// paths (plain and with visual styles) and in each colour scheme, under the
// fixed profile, and compares each picture with its golden PNG. A picture that
// differs is written to OUT_DIR as NAME-actual.png beside NAME-diff.png (the
// differing pixels in magenta over a faded copy of the picture). With
// --update the pictures replace the golden ones instead (a replaced one is
// kept in OUT_DIR as NAME-old.png beside its diff). Either way OUT_DIR/index.html
// is the contact sheet: each picture old | new | diff, for a person to review.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "GalleryHost.h"
#include "GalleryProfile.h"
#include "GalleryScenes.h"
#include "GalleryThemes.h"
#include "GalleryWindowScenes.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWScratchBitmap.h"
#include "controls/themes/TBWStockObjects.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWTheme.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/win/win.h"
#include "tests/support/GoldenImage.h"

namespace {

constexpr uint32_t Magenta = 0xFF00FF;

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

// One picture of the run as the contact sheet shows it: the golden one (old),
// the one drawn now (new, when it differs or replaced it) and their diff.
struct TSheetEntry {
  std::string Name;
  std::string Status;
  std::filesystem::path Old, New, Diff;
};

class TGalleryRun {
public:
  TGalleryRun(std::filesystem::path Golden, std::filesystem::path Out, bool Update)
      : FGolden(std::move(Golden)), FOut(std::move(Out)), FUpdate(Update)
  {
  }

  void Check(const std::string& Name, const TPixelImage& Picture)
  {
    const std::filesystem::path golden = FGolden / (Name + ".png");
    TPixelImage expected;
    const bool had = ReadPng(golden.string(), expected);
    const bool same = had && expected == Picture;
    TSheetEntry entry{Name, same ? "same" : FUpdate ? (had ? "changed" : "new") : "FAILED", golden, {}, {}};
    if (FUpdate) {
      // The old picture is kept beside its diff so the sheet can show what changed.
      if (had && !same) {
        entry.Old = FOut / (Name + "-old.png");
        WritePng(entry.Old.string(), expected);
        entry.Diff = FOut / (Name + "-diff.png");
        WritePng(entry.Diff.string(), DiffImage(Picture, expected));
      }
      if (!same)
        WritePng(golden.string(), Picture);
      entry.New = golden;
      if (!had)
        entry.Old.clear();
      ++FPassed;
    } else if (same) {
      ++FPassed;
    } else {
      ++FFailed;
      entry.New = FOut / (Name + "-actual.png");
      entry.Diff = FOut / (Name + "-diff.png");
      WritePng(entry.New.string(), Picture);
      WritePng(entry.Diff.string(), DiffImage(Picture, expected));
      if (!had)
        entry.Old.clear();
      std::printf("FAILED %s: differs from %s; see %s\n", Name.c_str(), golden.string().c_str(),
                  entry.Diff.string().c_str());
    }
    FEntries.push_back(entry);
  }
  void Fail(const std::string& Message)
  {
    std::printf("%s\n", Message.c_str());
    ++FFailed;
  }

  // OUT_DIR/index.html: one row per picture, old | new | diff.
  void WriteContactSheet() const
  {
    std::ofstream html(FOut / "index.html");
    html << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Theme gallery</title>\n"
            "<style>body{font-family:sans-serif;background:#888}td{vertical-align:top;padding:4px}"
            "img{image-rendering:pixelated}.FAILED,.changed{color:#a00;font-weight:bold}</style></head><body>\n"
         << "<h1>Theme gallery: " << FPassed << " passed, " << FFailed << " failed</h1>\n"
         << "<table><tr><th>picture</th><th>old (golden)</th><th>new</th><th>diff</th></tr>\n";
    auto cell = [&html](const std::filesystem::path& Path) {
      html << "<td>";
      if (!Path.empty())
        html << "<img src=\"file://" << std::filesystem::absolute(Path).string() << "\">";
      html << "</td>";
    };
    for (const TSheetEntry& e : FEntries) {
      html << "<tr><td class=\"" << e.Status << "\">" << e.Name << "<br>" << e.Status << "</td>";
      cell(e.Old);
      cell(e.New);
      cell(e.Diff);
      html << "</tr>\n";
    }
    html << "</table></body></html>\n";
  }
  int Passed() const { return FPassed; }
  int Failed() const { return FFailed; }

private:
  std::filesystem::path FGolden, FOut;
  bool FUpdate;
  int FPassed = 0, FFailed = 0;
  std::vector<TSheetEntry> FEntries;
};

}  // namespace

int main(int argc, char** argv)
{
  if (argc < 3) {
    std::fprintf(stderr, "usage: theme_gallery GOLDEN_DIR OUT_DIR [--update]\n");
    return 2;
  }
  const std::filesystem::path golden = argv[1], out = argv[2];
  const bool update = argc > 3 && std::string(argv[3]) == "--update";
  std::filesystem::create_directories(golden);
  std::filesystem::create_directories(out);

  EnterGalleryProfile();
  Application()->Initialize();
  for (const TGalleryTheme& theme : GalleryThemes())
    if (!ThemeExists(theme.Name))
      RegisterTheme(theme.Name, theme.Class);
  TCustomImageList images(nullptr, 16, 16);
  images.SetHandle(MakeGalleryImages());

  TGalleryRun run(golden, out, update);
  for (const TGalleryTheme& entry : GalleryThemes()) {
    TTBWTheme* theme = AcquireTheme(entry.Name);
    // The window scenes paint through the current theme.
    CreateThemeNexus(entry.Name);
    const TGalleryContext context{theme, &images};
    for (const TGalleryPath& path : GalleryPaths()) {
      for (const TGalleryScheme& scheme : GallerySchemes()) {
        SelectGalleryLook(scheme, path);
        if (VisualStylesActiveNow() != path.VisualStyles) {
          run.Fail(entry.Name + " " + path.Name + ": the visual styles did not follow the option");
          continue;
        }
        const std::string prefix = Lower(entry.Name) + "-" + path.Name + "-" + scheme.Name + "-";
        for (const TGalleryScene& scene : GalleryScenes())
          run.Check(prefix + scene.Name, Render(scene, context));
        for (const TGalleryWindowScene& scene : GalleryWindowScenes())
          run.Check(prefix + scene.Name, scene.Shoot(&images));
      }
    }
    FreeThemeNexus();
    ReleaseTheme(theme);
  }
  run.WriteContactSheet();
  ClearThemeRegistry();
  FreeThemeManager();
  FreeStockObjects();
  std::printf("%d passed, %d failed; contact sheet %s\n", run.Passed(), run.Failed(),
              (out / "index.html").string().c_str());
  return run.Failed() ? 1 : 0;
}
