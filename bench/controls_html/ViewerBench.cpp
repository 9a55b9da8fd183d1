// The document objects on the generated chat corpus: build, layout, relayout
// on resize, painting one screen, the link under the mouse, and adversarial
// nesting, each at several sizes so that the growth with the chat shows.
//
// The corpus: the chat window's head, then seven lines per message; 60 % short
// messages (about 30 characters), 30 % medium ones (about 200 with two
// smileys out of 20), 10 % long ones (about 2,000 with line breaks).
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>

#include <map>
#include <string>

#include "ChatDocument.h"
#include "TestFonts.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/SectionList.h"
#include "platform/win/gdi/gdi.h"

namespace {

const std::string SmileyDir = std::string(CORVANE_IMAGE_CORPUS_DIR) + "/smileys";

std::string Words(std::size_t Length, int Seed)
{
  static const char* const W[] = {"salut", "tu", "as", "vu", "le", "match", "d'hier", "c'est", "g&eacute;nial",
                                  "on", "en", "reparle", "demain", "apr&egrave;s", "oui", "non", "peut-&ecirc;tre"};
  std::string S;
  for (int I = 0; S.size() < Length; ++I)
    S += std::string(W[(Seed * 7 + I * 3) % 17]) + " ";
  return S;
}

std::string Message(int Index)
{
  const int Kind = (Index * 37) % 10;  // 0-5 short, 6-8 medium, 9 long
  if (Kind < 6)
    return Words(30, Index);
  if (Kind < 9)
    return Words(90, Index) + "<IMG src=\"C:\\Program Files\\MesNews\\config\\s" + std::to_string(Index % 20) +
           ".gif\"> " + Words(90, Index + 1) + "<IMG src=\"C:\\Program Files\\MesNews\\config\\s" +
           std::to_string((Index + 7) % 20) + ".gif\">";
  std::string Long;
  for (int L = 0; Long.size() < 2000; ++L)
    Long += Words(120, Index + L) + "<BR>\r\n";
  return Long;
}

std::string Fragment(int Index, const std::string& Text)
{
  const bool Own = Index % 2 == 0;
  return "<BR>\r\n<DIV class=\"header\">\r\n" + std::string(Own ? "Moi" : "Alice") + ", 08/12/2026 23:" +
         std::to_string(10 + Index % 50) + ":19\r\n</DIV>\r\n" + (Own ? "<DIV class=\"moi\">" : "<DIV class=\"lui\">") +
         "\r\n" + Text + "\r\n</DIV>\r\n";
}

const std::string& Corpus(int N)
{
  static std::map<int, std::string> Made;
  auto& S = Made[N];
  if (S.empty()) {
    S = ChatHead();
    for (int I = 0; I < N; ++I)
      S += Fragment(I, Message(I));
  }
  return S;
}

// Hostile message content: (0) a DIV left open, (1) a FONT and a B left
// open, (2) one TABLE left open in the first message.
std::string Adversarial(int N, int Kind)
{
  std::string S = ChatHead();
  for (int I = 0; I < N; ++I) {
    std::string Text = Words(30, I);
    if (Kind == 0)
      Text = "<DIV>" + Text;
    else if (Kind == 1)
      Text = "<FONT color=red><B>" + Text;
    else if (I == 0)
      Text = "<TABLE><TR><TD>" + Text;
    S += Fragment(I, Text);
  }
  return S;
}

std::unique_ptr<TSectionList> MakeDocument()
{
  return MakeChatDocument(SmileyDir);
}

void SetBytes(benchmark::State& State, std::size_t Bytes)
{
  State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(Bytes));
  State.counters["bytes"] = double(Bytes);
}

// The heap in use, in bytes.
double HeapInUse()
{
  return double(mallinfo2().uordblks);
}

// The memory a built and laid out document holds (doc_mb), and the process's
// peak resident size so far (peak_rss_mb; the sizes run in ascending order,
// so it is the peak of the largest document yet).
void MemoryCounters(benchmark::State& State, const std::string& Text)
{
  const double Before = HeapInUse();
  {
    auto Doc = MakeDocument();
    ParseHtmlIntoSections(Text, *Doc);
    Doc->DoLogic(600, 400);
    State.counters["doc_mb"] = (HeapInUse() - Before) / 1e6;
  }
  rusage Usage{};
  getrusage(RUSAGE_SELF, &Usage);
  State.counters["peak_rss_mb"] = double(Usage.ru_maxrss) / 1024.0;
}

// B1: the whole build, link pre-pass included.
void BM_B1_Build(benchmark::State& State)
{
  const std::string& Text = Corpus(int(State.range(0)));
  auto Doc = MakeDocument();
  for (auto _ : State) {
    Doc->Clear();
    ParseHtmlIntoSections(Text, *Doc);
    benchmark::DoNotOptimize(Doc->Sections.size());
  }
  SetBytes(State, Text.size());
  MemoryCounters(State, Text);
}
BENCHMARK(BM_B1_Build)->Arg(10)->Arg(100)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

// B2: one layout at width 600 after the build; 2,000 and 10,000 give the
// ratio t(20,000) / t(2,000) the linearity goal is read from.
void BM_B2_Layout600(benchmark::State& State)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections(Corpus(int(State.range(0))), *Doc);
  int Height = 0;
  for (auto _ : State)
    benchmark::DoNotOptimize(Height = Doc->DoLogic(600, 400));
  State.counters["height"] = Height;
}
BENCHMARK(BM_B2_Layout600)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);

// B4: N = 1,000 laid out again at 30 widths from 300 to 1,200; no parse, and
// the counter shows the pictures decoded during the steps.
void BM_B4_Resize(benchmark::State& State)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections(Corpus(1000), *Doc);
  Doc->DoLogic(600, 400);
  const int Before = Doc->DecodeCount;
  for (auto _ : State)
    for (int W = 300; W < 1200; W += 30)
      benchmark::DoNotOptimize(Doc->DoLogic(W, 400));
  State.counters["decodes"] = Doc->DecodeCount - Before;
  State.counters["per_step_ms"] =
      benchmark::Counter(30.0 * double(State.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_B4_Resize)->Unit(benchmark::kMillisecond);

// B5: one 600 x 400 screen of N = 5,000, at the top (0) and at the bottom (1).
void BM_B5_PaintScreen(benchmark::State& State)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections(Corpus(5000), *Doc);
  const int Height = Doc->DoLogic(600, 400);
  Doc->YOff = State.range(0) ? Height - 400 : 0;
  HDC DC = CreateCompatibleDC(nullptr);
  HBITMAP Bitmap = CreateBitmap(600, 400, 1, 32, nullptr);
  HGDIOBJ Old = SelectObject(DC, Bitmap);
  const TRect Screen{0, 0, 600, 400};
  for (auto _ : State)
    Doc->Draw(DC, Screen);
  SelectObject(DC, Old);
  DeleteObject(Bitmap);
  DeleteDC(DC);
}
BENCHMARK(BM_B5_PaintScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// B7: the link under the mouse over the last message of N = 5,000 (the last
// message carries a link there).
void BM_B7_LinkAtPoint(benchmark::State& State)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections(Corpus(5000) + Fragment(5000, "<A HREF=\"http://example.invalid/\">lien</A>"), *Doc);
  const int Height = Doc->DoLogic(600, 400);
  int Found = 0;
  for (auto _ : State) {
    THitLink Hit;
    Found += Doc->LinkAtPoint(20, Height - 12, Hit) ? 1 : 0;
  }
  State.counters["found"] = Found == int(State.iterations()) ? 1 : 0;
}
BENCHMARK(BM_B7_LinkAtPoint)->Unit(benchmark::kMicrosecond);

// B8: build and layout of hostile content at 100, 1,000 and 5,000 messages.
void BM_B8_Adversarial(benchmark::State& State)
{
  const std::string Text = Adversarial(int(State.range(1)), int(State.range(0)));
  auto Doc = MakeDocument();
  for (auto _ : State) {
    Doc->Clear();
    ParseHtmlIntoSections(Text, *Doc);
    benchmark::DoNotOptimize(Doc->DoLogic(600, 400));
  }
  SetBytes(State, Text.size());
}
BENCHMARK(BM_B8_Adversarial)
    ->ArgsProduct({{0, 1, 2}, {100, 1000, 5000}})
    ->ArgNames({"kind", "n"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
