// The faces a program's forms get on the display the program starts: the
// interface face is the proportional face the forms' fixed layouts were made
// for, on the x11 display as headless. The display belongs to the process,
// so each case runs in a process of its own.
#include "X11TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/stdctrls/CheckBox.h"
#include "platform/startup/DisplayStartup.h"

namespace {

// In the child: the display started as the program starts it, and a check
// box laid out as the chat window's in a form asking for the interface face;
// says which display runs, which face the box draws with and whether its
// caption fits beside the box.
[[noreturn]] void ReportCheckBoxFace(TDisplayStart Start)
{
  StartDisplay(Start);
  Application()->Initialize();
  SetBuiltinFontOnly(false);  // the faces a person sees, not the tests' fixed font
  TCustomForm* form = TCustomForm::Create<TForm>(nullptr);
  form->Font()->SetName("MS Sans Serif");
  form->Font()->SetHeight(-11);
  auto* box = new TCheckBox(form);
  box->SetParent(form);
  box->SetBounds(0, 0, 146, 18);
  const std::string caption = "Enregistrer la conversation";
  box->SetCaption(caption);
  HDC dc = GetDC(box->Handle());
  SelectObject(dc, box->Font()->Handle());
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc, LF_FACESIZE, face);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  TSize extent{};
  GetTextExtentPoint32A(dc, caption.c_str(), int(caption.size()), &extent);
  ReleaseDC(box->Handle(), dc);
  const int room = box->Width() - 13 - 4;  // the box, then the gap before the caption
  std::fprintf(stderr, "%s: %s, %s pitch, caption %s\n", CurrentDisplayBackend()->Name().c_str(), face,
               (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) ? "variable" : "fixed",
               extent.cx <= room ? "fits" : "cut");
  delete form;  // its windows too: the leak checker looks at what the child leaves
  std::exit(0);
}

TEST(InterfaceFace, FormsGetTheProportionalInterfaceFaceOnEitherDisplay)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // Held while the cases run: a server whose last client leaves resets.
  _XDisplay* held = OpenTestDisplay();
  if (!held)
    GTEST_SKIP() << "no X display: the program's display cannot start";
  const struct {
    TDisplayStart Start;
    const char* Expected;
  } cases[] = {
      {TDisplayStart::Automatic, "x11: Liberation Sans, variable pitch, caption fits\n"},
      {TDisplayStart::Headless, "headless: Liberation Sans, variable pitch, caption fits\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Expected);
    EXPECT_EXIT(ReportCheckBoxFace(c.Start), ::testing::ExitedWithCode(0), c.Expected);
  }
  CloseTestDisplay(held);
}

}  // namespace
