// Tables and forms: layout of a table of R rows and 10 columns (the growth
// with the number of cells), of 10 nested tables, and the relayout on resize
// of a page with a form of 50 controls, whose windows are moved, not made again.
#include <benchmark/benchmark.h>

#include <string>

#include "TestFonts.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/forms/DocumentForms.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/gdi.h"

namespace {

std::unique_ptr<TSectionList> NewDocument()
{
  auto Doc = std::make_unique<TSectionList>(TestFonts());
  Doc->SetDefaults("Times New Roman", "Courier New", 0, 12, 0xFF0000, 0x800080, 0x0000FF, 0xFFFFFF);
  return Doc;
}

std::string Table(int Rows, int Columns)
{
  std::string S = "<table border=1 cellpadding=2>";
  for (int R = 0; R < Rows; ++R) {
    S += "<tr>";
    for (int C = 0; C < Columns; ++C)
      S += "<td>cell " + std::to_string(R) + "." + std::to_string(C) + (C == 3 ? " a longer text here" : "") + "</td>";
    S += "</tr>";
  }
  return S + "</table>";
}

// A table of R x 10 cells laid out at 800 pixels (the parse is not timed).
void BM_TableLayout(benchmark::State& State)
{
  const int Rows = int(State.range(0));
  auto Doc = NewDocument();
  ParseHtmlIntoSections(Table(Rows, 10), *Doc);
  int Height = 0;
  for (auto _ : State)
    benchmark::DoNotOptimize(Height = Doc->DoLogic(800, 600));
  State.counters["cells"] = Rows * 10;
  State.counters["ns_per_cell"] = benchmark::Counter(double(Rows * 10) * double(State.iterations()),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TableLayout)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond);

// Ten tables, each in a cell of the one around it, with a few cells each.
void BM_NestedTables(benchmark::State& State)
{
  std::string S;
  for (int I = 0; I < 10; ++I)
    S += "<table border=1><tr><td>level " + std::to_string(I) + "</td><td>";
  S += "innermost";
  for (int I = 0; I < 10; ++I)
    S += "</td></tr><tr><td colspan=2>row two</td></tr></table>";
  auto Doc = NewDocument();
  ParseHtmlIntoSections(S, *Doc);
  for (auto _ : State)
    benchmark::DoNotOptimize(Doc->DoLogic(800, 600));
}
BENCHMARK(BM_NestedTables)->Unit(benchmark::kMicrosecond);

// A page with a form of 50 controls on a paint panel, laid out and painted at
// widths stepping from 300 to 1,200: the controls are moved.
void BM_FormRelayout(benchmark::State& State)
{
  THeadlessDisplay::Use();
  Application()->Initialize();
  TForm* Form = TCustomForm::Create<TForm>(Application());
  Form->SetBounds(0, 0, 1200, 800);
  auto* Panel = new TPanel(Form);
  Panel->SetParent(Form);
  Panel->SetBounds(0, 0, 1200, 800);
  Form->Show();
  auto Doc = NewDocument();
  Doc->PaintPanel = Panel;
  std::string S = "<form action=x>";
  for (int I = 0; I < 50; ++I) {
    const std::string N = std::to_string(I);
    switch (I % 5) {
    case 0: S += "Field " + N + " <input name=f" + N + "> "; break;
    case 1: S += "<input type=checkbox name=c" + N + "> tick "; break;
    case 2: S += "<select name=s" + N + "><option>one<option>two</select> "; break;
    case 3: S += "<input type=radio name=r value=" + N + "> choice "; break;
    default: S += "<textarea name=t" + N + " rows=2 cols=12>text</textarea><br>"; break;
    }
  }
  ParseHtmlIntoSections(S + "<input type=submit></form>", *Doc);
  HDC DC = CreateCompatibleDC(nullptr);
  HBITMAP Bitmap = CreateBitmap(1200, 800, 1, 32, nullptr);
  HGDIOBJ Old = SelectObject(DC, Bitmap);
  const int Children = Panel->ControlCount();
  for (auto _ : State)
    for (int W = 300; W < 1200; W += 30) {
      Doc->DoLogic(W, 800);
      Doc->Draw(DC, {0, 0, W, 800});
    }
  State.counters["controls"] = double(Doc->Forms->ControlList.size());
  State.counters["windows_made_during_steps"] = Panel->ControlCount() - Children;
  State.counters["per_step_ms"] =
      benchmark::Counter(30.0 * double(State.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  SelectObject(DC, Old);
  DeleteObject(Bitmap);
  DeleteDC(DC);
  Doc.reset();
  Form->Free();
}
BENCHMARK(BM_FormRelayout)->Unit(benchmark::kMillisecond);

}  // namespace
