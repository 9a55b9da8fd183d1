#include "DocumentFuzzTargets.h"

#include <ctime>
#include <stdexcept>
#include <string>

#include "FuzzSupport.h"
#include "LayoutDump.h"
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

// A document for the fuzz targets: the fixed test fonts, nothing read from disk.
void FuzzDefaults(TSectionList& Doc)
{
  Doc.SetDefaults("Times New Roman", "Courier New", 0, 12, 0xFF0000, 0x800080, 0x0000FF, 0xFFFFFF);
  Doc.RestrictFiles = true;
  Doc.LoadLinkedSheets = false;
}

void BuildLayOutPaint(const std::string& Text, TFuzzIncluder* Includer)
{
  // Processor time, so that a busy machine does not fail an input.
  const std::clock_t Start = std::clock();
  TSectionList Doc(TestFonts());
  FuzzDefaults(Doc);
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

void FuzzReadOn(const std::uint8_t* Data, std::size_t Size)
{
  if (Size < 2)
    return;
  const std::clock_t Start = std::clock();
  const std::string Text(reinterpret_cast<const char*>(Data) + 2, Size - 2);
  // The text is cut before its n-th "<" (n from the first two bytes), where
  // a message's fragment would start.
  std::size_t Cut = std::string::npos;
  for (std::size_t N = (std::size_t(Data[0]) << 8 | Data[1]) % 64 + 1, At = 0; N > 0; --N, ++At) {
    At = Text.find('<', At);
    if (At == std::string::npos)
      break;
    Cut = At;
  }
  if (Cut == std::string::npos)
    return;
  TSectionList Read(TestFonts());
  FuzzDefaults(Read);
  bool ReadOn = false;
  {
    THtmlDocumentBuild Build(Read);
    Build.Parse(Text.substr(0, Cut));
    FuzzCheck(Read.DoLogic(300, 400) >= 0, "height of the first part");
    ReadOn = Build.ReadOn(std::string_view(Text).substr(Cut));
  }
  // The same, the text read where its owner holds it; the owner's text
  // moves as it grows (no room was left after the first part).
  TSectionList ReadInPlace(TestFonts());
  FuzzDefaults(ReadInPlace);
  bool ReadOnInPlace = false;
  {
    std::string Owner = Text.substr(0, Cut);
    Owner.shrink_to_fit();
    THtmlDocumentBuild Build(ReadInPlace);
    Build.ParseBorrowed(Owner);
    FuzzCheck(ReadInPlace.DoLogic(300, 400) >= 0, "height of the first part read in place");
    Owner.append(Text, Cut);
    ReadOnInPlace = Build.ReadOnTo(Owner);
  }
  FuzzCheck(ReadOn == ReadOnInPlace, "read on in place as a copy is");
  if (!ReadOn)
    return;
  Read.DoLogic(300, 400, true);
  ReadInPlace.DoLogic(300, 400, true);
  TSectionList Whole(TestFonts());
  FuzzDefaults(Whole);
  ParseHtmlIntoSections(Text, Whole);
  Whole.DoLogic(300, 400);
  FuzzCheck(DocumentLayoutDump(Read) == DocumentLayoutDump(Whole), "read on as the whole text reads");
  FuzzCheck(DocumentLayoutDump(ReadInPlace) == DocumentLayoutDump(Whole), "read on in place as the whole text reads");
  const double Seconds = double(std::clock() - Start) / CLOCKS_PER_SEC;
  FuzzCheck(Seconds <= 2.0 * double(1 + Text.size() / 65536), "at most 2 s for every 64 KB");
}

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
