#include "DocumentFuzzTargets.h"

#include <ctime>
#include <stdexcept>
#include <string>

#include "FuzzSupport.h"
#include "TestFonts.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/SectionList.h"
#include "platform/base/StringList.h"
#include "platform/win/gdi/gdi.h"

namespace {

void PaintOnce(TSectionList& Doc, int Width, int Height)
{
  HDC DC = CreateCompatibleDC(nullptr);
  HBITMAP Bitmap = CreateBitmap(Width, Height, 1, 32, nullptr);
  HGDIOBJ Old = SelectObject(DC, Bitmap);
  Doc.Draw(DC, TRect{0, 0, Width, Height});
  SelectObject(DC, Old);
  DeleteObject(Bitmap);
  DeleteDC(DC);
}

void BuildLayOutPaint(const std::string& Text, TFuzzIncluder* Includer)
{
  // Processor time, so that a busy machine does not fail an input.
  const std::clock_t Start = std::clock();
  TSectionList Doc(TestFonts());
  Doc.SetDefaults("Times New Roman", "Courier New", 0, 12, 0xFF0000, 0x800080, 0x0000FF, 0xFFFFFF);
  // Nothing may be read from disk: no picture, no linked sheet.
  Doc.RestrictFiles = true;
  Doc.LoadLinkedSheets = false;
  if (Includer)
    Doc.OnInclude = decltype(Doc.OnInclude)(Includer, &TFuzzIncluder::Include);
  ParseHtmlIntoSections(Text, Doc);

  FuzzCheck(Doc.DoLogic(1, 400) >= 0, "height at width 1");
  const int Height = Doc.DoLogic(300, 400);
  FuzzCheck(Height >= 0, "height at width 300");
  FuzzCheck(Doc.DoLogic(2000, 400) >= 0, "height at width 2000");
  FuzzCheck(Doc.DoLogic(300, 400) == Height, "layout at one width gives one height");
  Doc.YOff = Height / 2;
  PaintOnce(Doc, 300, 200);

  const double Seconds = double(std::clock() - Start) / CLOCKS_PER_SEC;
  FuzzCheck(Seconds <= 2.0 * double(1 + Text.size() / 65536), "at most 2 s for every 64 KB");
}

}  // namespace

void FuzzBuild(const std::uint8_t* Data, std::size_t Size)
{
  BuildLayOutPaint(std::string(reinterpret_cast<const char*>(Data), Size), nullptr);
}

void FuzzInclude(const std::uint8_t* Data, std::size_t Size)
{
  if (Size == 0)
    return;
  TFuzzIncluder Includer(256);
  Includer.Seed = Data[0];
  Includer.Source.assign(reinterpret_cast<const char*>(Data) + 1, Size - 1);
  BuildLayOutPaint(Includer.Source, &Includer);
}
