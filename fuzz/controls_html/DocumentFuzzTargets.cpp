#include "DocumentFuzzTargets.h"

#include <ctime>
#include <stdexcept>
#include <string>

#include "TestFonts.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/SectionList.h"
#include "platform/base/StringList.h"
#include "platform/win/gdi/gdi.h"

namespace {

void Check(bool Condition, const char* What)
{
  if (!Condition)
    throw std::logic_error(What);
}

// Include comments answered from the fuzzed text itself; nested includes are
// left to the reader's depth and volume caps, the call count only keeps each
// run short.
class TFuzzIncluder : public TObject {
public:
  std::string Source;
  unsigned Seed = 0;
  int Calls = 0;
  void Include(TObject*, const std::string& Command, TStringList* Params, std::string& IString)
  {
    if (Source.empty() || ++Calls > 256)
      return;
    const std::size_t From = (Command.size() * 7 + std::size_t(Params->Count()) * 13 + Seed) % Source.size();
    IString = Source.substr(From, 16 + Seed % 96);
  }
};

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

  Check(Doc.DoLogic(1, 400) >= 0, "height at width 1");
  const int Height = Doc.DoLogic(300, 400);
  Check(Height >= 0, "height at width 300");
  Check(Doc.DoLogic(2000, 400) >= 0, "height at width 2000");
  Check(Doc.DoLogic(300, 400) == Height, "layout at one width gives one height");
  Doc.YOff = Height / 2;
  PaintOnce(Doc, 300, 200);

  const double Seconds = double(std::clock() - Start) / CLOCKS_PER_SEC;
  Check(Seconds <= 2.0 * double(1 + Text.size() / 65536), "at most 2 s for every 64 KB");
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
  TFuzzIncluder Includer;
  Includer.Seed = Data[0];
  Includer.Source.assign(reinterpret_cast<const char*>(Data) + 1, Size - 1);
  BuildLayOutPaint(Includer.Source, &Includer);
}
