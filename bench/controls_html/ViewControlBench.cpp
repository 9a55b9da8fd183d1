// The viewer control as the chat window drives it, on the headless display
// with the tests' fixed fonts.
//
// B3, the chat session: the chat window appends a message fragment and
// reloads its whole document with LoadFromLines (parse, layout, paint of one
// screen). The cost of message i is measured with i - 1 messages already in
// the conversation, at i = 10, 100, 1,000 and 5,000.
//
// B6, animation idle: 1,000 messages with two animated smileys each, 10
// visible: the cost of one animation tick (step and repaint of the screen),
// and the memory each picture of the document takes.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include "ChatDocument.h"
#include "ChatViewer.h"
#include "TestFonts.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/html/viewer/PaintPanel.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

const std::string SmileyDir = std::string(CORVANE_IMAGE_CORPUS_DIR) + "/smileys";

// A form with a viewer of the chat window's size and settings.
struct TChatView {
  TCustomForm* Form = nullptr;
  THtmlView* Viewer = nullptr;

  TChatView()
  {
    static bool Started = false;
    if (!Started) {
      THeadlessDisplay::Use();
      SetBuiltinFontOnly(true);
      Application()->Initialize();
      Started = true;
    }
    Form = TCustomForm::Create<TForm>(nullptr);
    Form->SetBounds(0, 0, 640, 480);
    Viewer = new THtmlView(Form, TestFonts());
    Viewer->SetParent(Form);
    Viewer->SetBounds(0, 0, 600, 400);
    ApplyChatViewerSettings(*Viewer, SmileyDir);
    Form->Show();
    Application()->ProcessMessages();
  }
  ~TChatView() { Form->Free(); }

  // What the chat window does for one message: the whole document again,
  // then the paint of the screen.
  void Reload(const TStringList& Lines)
  {
    Viewer->LoadFromLines(Lines, "");
    Viewer->PaintPanel()->Update();
  }
};

// The chat window's lines: the head, then seven lines per message.
void AddLines(TStringList& Lines, const std::string& Text)
{
  std::size_t At = 0;
  while (At < Text.size()) {
    const std::size_t End = Text.find("\r\n", At);
    Lines.Add(Text.substr(At, End == std::string::npos ? std::string::npos : End - At));
    At = End == std::string::npos ? Text.size() : End + 2;
  }
}

void BM_B3_ChatSessionMessage(benchmark::State& State)
{
  const int I = int(State.range(0));
  TChatView View;
  TStringList Lines;
  AddLines(Lines, ChatHead());
  for (int M = 0; M < I - 1; ++M)
    AddLines(Lines, ChatFragment(M));
  const int Before = Lines.Count();
  for (auto _ : State) {
    State.PauseTiming();
    while (Lines.Count() > Before)
      Lines.Delete(Lines.Count() - 1);
    State.ResumeTiming();
    AddLines(Lines, ChatFragment(I - 1));
    View.Reload(Lines);
  }
  State.counters["messages"] = I;
  State.counters["doc_height"] = View.Viewer->DocumentHeight();
}
BENCHMARK(BM_B3_ChatSessionMessage)->Arg(10)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

// The chat document with two animated smileys in every message (or, for
// the memory baseline, the same text without them).
std::string AnimatedChat(int Messages, bool Smileys)
{
  const std::string Pictures = Smileys ? "Regarde <IMG src=\"C:\\MesNews\\config\\s1.gif\"> et "
                                         "<IMG src=\"C:\\MesNews\\config\\s5.gif\"> !"
                                       : "Regarde et !";
  std::string S = ChatHead();
  for (int M = 0; M < Messages; ++M)
    S += "<BR>\r\n<DIV class=\"header\">\r\nAlice, 08/12/2026 23:10:19\r\n</DIV>\r\n<DIV class=\"lui\">\r\n" +
         Pictures + "\r\n</DIV>\r\n";
  return S;
}

// The heap in use with the document of Text loaded.
std::size_t HeapWith(TChatView& View, const std::string& Text)
{
  TStringList Lines;
  AddLines(Lines, Text);
  View.Reload(Lines);
  malloc_trim(0);
  return mallinfo2().uordblks;
}

void BM_B6_AnimationTick(benchmark::State& State)
{
  TChatView View;
  const int Messages = 1000;
  const std::size_t Base = HeapWith(View, AnimatedChat(Messages, false));
  const std::size_t Loaded = HeapWith(View, AnimatedChat(Messages, true));
  TSectionList& Doc = View.Viewer->SectionList();
  const int Pictures = int(Doc.AnimList.size());
  int Visible = 0;
  for (auto _ : State) {
    Doc.TimerTick();
    View.Viewer->PaintPanel()->Invalidate();
    View.Viewer->PaintPanel()->Update();
  }
  for (TImageObj* Image : Doc.AnimList)
    if (auto* Gif = dynamic_cast<TGIFImage*>(Image->Image); Gif && Gif->Visible())
      ++Visible;
  State.counters["pictures"] = Pictures;
  State.counters["painted"] = Visible;
  State.counters["bytes_per_picture"] = Pictures ? (double(Loaded) - double(Base)) / Pictures : 0;
}
BENCHMARK(BM_B6_AnimationTick)->Unit(benchmark::kMicrosecond);

}  // namespace
