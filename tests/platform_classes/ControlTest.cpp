// Controls: alignment and anchors, message dispatch, ownership and free
// notification, mouse routing to graphic controls, focus order, drag and drop.
#include "ClassesTestSupport.h"
#include "platform/classes/stdctrls/Button.h"
#include "platform/classes/stdctrls/Edit.h"
#include "platform/classes/stdctrls/Label.h"
#include "platform/classes/stdctrls/Panel.h"

namespace {

// A form with a bare container (no bevel) of 200 x 100 client pixels.
class ControlTest : public ClassesFixture {
protected:
  void SetUp() override
  {
    ClassesFixture::SetUp();
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetBounds(10, 10, 300, 250);
    Box = new TPanel(Form);
    Box->SetBevelOuter(bvNone);
    Box->SetParent(Form);
    Box->SetBounds(0, 0, 200, 100);
    Form->Show();
    Pump();
  }
  void TearDown() override
  {
    if (Form)
      Form->Free();
    ClassesFixture::TearDown();
  }
  TControl* Child(TAlign align, int l, int t, int w, int h, bool windowed = true)
  {
    TControl* c = windowed ? static_cast<TControl*>(new TPanel(Form)) : new TLabel(Form);
    if (auto* label = dynamic_cast<TLabel*>(c))
      label->SetAutoSize(false);
    c->SetBounds(l, t, w, h);
    c->SetParent(Box);
    c->SetAlign(align);
    return c;
  }

  TForm* Form = nullptr;
  TPanel* Box = nullptr;
};

TEST_F(ControlTest, AlignmentTakesEdgesInOrderAndClientTakesTheRest)
{
  // Created out of order: the alignment order (top, bottom, left, right,
  // client) and the tops and lefts decide, not the creation order.
  TControl* client = Child(alClient, 0, 0, 5, 5);
  TControl* right = Child(alRight, 0, 0, 40, 5, false);
  TControl* top2 = Child(alTop, 0, 50, 5, 15);
  TControl* top1 = Child(alTop, 0, 0, 5, 10);
  TControl* bottom = Child(alBottom, 0, 0, 5, 20);
  TControl* left = Child(alLeft, 0, 0, 30, 5);
  EXPECT_EQ(BoundsOf(top1), "0,0,200,10");
  EXPECT_EQ(BoundsOf(top2), "0,10,200,15");
  EXPECT_EQ(BoundsOf(bottom), "0,80,200,20");
  EXPECT_EQ(BoundsOf(left), "0,25,30,55");
  EXPECT_EQ(BoundsOf(right), "160,25,40,55");
  EXPECT_EQ(BoundsOf(client), "30,25,130,55");

  // A control that cannot take the size asked for gives the rest back.
  top2->Constraints()->SetMaxHeight(5);
  Box->Realign();
  EXPECT_EQ(BoundsOf(top2), "0,10,200,5");
  EXPECT_EQ(BoundsOf(client), "30,15,130,65");

  // Hidden controls take no room.
  bottom->Hide();
  EXPECT_EQ(BoundsOf(client), "30,15,130,85");
}

TEST_F(ControlTest, AnchorsKeepDistancesWhenTheParentResizes)
{
  struct TCase {
    TAnchors Anchors;
    const char* After;
  };
  const TCase cases[] = {
      {{akLeft, akTop}, "20,10,50,30"},
      {{akRight, akBottom}, "120,60,50,30"},
      {{akLeft, akTop, akRight, akBottom}, "20,10,150,80"},
      {{}, "43,23,50,30"},  // centred: the middle keeps its share (45 * 300 / 200 rounded, less half the width)
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(BoundsOf(Box) + " " + c.After);
    Box->SetBounds(0, 0, 200, 100);
    TControl* child = Child(alNone, 20, 10, 50, 30);
    child->SetAnchors(c.Anchors);
    Box->SetBounds(0, 0, 300, 150);
    EXPECT_EQ(BoundsOf(child), c.After);
    delete child;
  }
}

TEST_F(ControlTest, CustomAlignmentAndDisabledAlignment)
{
  struct TPlacer {
    bool Before(TWinControl*, TControl* c1, TControl* c2) { return c1->Tag() < c2->Tag(); }
    void Place(TWinControl*, TControl* c, int& l, int& t, int& w, int& h, TRect&, TAlignInfo info)
    {
      l = info.ControlIndex * 50;
      t = 5;
      w = 40;
      h = 8;
      (void)c;
    }
  } placer;
  Box->OnAlignInsertBefore = TAlignInsertBeforeEvent(&placer, &TPlacer::Before);
  Box->OnAlignPosition = TAlignPositionEvent(&placer, &TPlacer::Place);
  Box->DisableAlign();
  TControl* b = Child(alCustom, 0, 0, 1, 1);
  b->SetTag(2);
  TControl* a = Child(alCustom, 0, 0, 1, 1);
  a->SetTag(1);
  EXPECT_EQ(BoundsOf(a), "0,0,1,1") << "nothing moves while alignment is off";
  Box->EnableAlign();
  EXPECT_EQ(BoundsOf(a), "0,5,40,8");
  EXPECT_EQ(BoundsOf(b), "50,5,40,8");
}

// A control whose own handler takes a private message by number.
class TMessageProbe : public TPanel {
public:
  explicit TMessageProbe(TComponent* AOwner) : TPanel(AOwner) {}
  static constexpr UINT WM_PROBE = WM_USER + 7;
  std::vector<UINT> Seen;
  void Dispatch(TMessage& Message) override
  {
    if (Message.Msg == WM_PROBE) {
      Seen.push_back(Message.Msg);
      Message.Result = LRESULT(Message.WParam * 2);
      return;
    }
    TPanel::Dispatch(Message);
  }
  void DefaultHandler(TMessage& Message) override
  {
    if (Message.Msg == WM_USER + 8)
      Seen.push_back(Message.Msg);
    TPanel::DefaultHandler(Message);
  }
};

struct THook {
  TWndMethod Old;
  int Count = 0;
  void Proc(TMessage& Message)
  {
    if (Message.Msg == TMessageProbe::WM_PROBE)
      ++Count;
    Old(Message);
  }
};

TEST_F(ControlTest, MessagesGoThroughWindowProcToHandlersByNumberAndTheDefaultHandler)
{
  auto* probe = new TMessageProbe(Form);
  probe->SetParent(Box);
  EXPECT_EQ(probe->Perform(TMessageProbe::WM_PROBE, 21, 0), 42);
  // Through the window too, and a replaced WindowProc sees it first.
  THook hook{probe->WindowProc()};
  probe->SetWindowProc(TWndMethod(&hook, &THook::Proc));
  EXPECT_EQ(SendMessage(probe->Handle(), TMessageProbe::WM_PROBE, 5, 0), 10);
  EXPECT_EQ(hook.Count, 1);
  probe->Perform(WM_USER + 8, 0, 0);
  EXPECT_EQ(probe->Seen, (std::vector<UINT>{TMessageProbe::WM_PROBE, TMessageProbe::WM_PROBE, WM_USER + 8}));
  probe->SetWindowProc(hook.Old);

  // Plain objects take messages the same way.
  struct TNotifier : TObject, TMessageDispatcher {
    UINT Last = 0;
    void DefaultHandler(TMessage& Message) override { Last = Message.Msg; }
  } notifier;
  TMessage message;
  message.Msg = 0x53A;
  EXPECT_TRUE(DispatchToObject(&notifier, message));
  EXPECT_EQ(notifier.Last, 0x53Au);
  TObject plain;
  EXPECT_FALSE(DispatchToObject(&plain, message));
}

TEST_F(ControlTest, BorderWidthAndBevelTakeTheirRoomOutsideTheClientArea)
{
  auto* framed = new TCustomControl(Form);
  framed->SetParent(Box);
  framed->SetBounds(0, 0, 100, 50);
  framed->SetBorderWidth(2);
  EXPECT_EQ(framed->ClientWidth(), 96);
  framed->SetBevelKind(bkFlat);
  framed->SetBevelEdges({beLeft, beTop, beRight});
  // Inner and outer bevel of one pixel each on three sides.
  EXPECT_EQ(framed->ClientWidth(), 92);
  EXPECT_EQ(framed->ClientHeight(), 44);
  TPoint origin = framed->ClientToScreen(TPoint(0, 0));
  TRect window;
  GetWindowRect(framed->Handle(), &window);
  EXPECT_EQ(origin.x - window.Left, 4);
  EXPECT_EQ(origin.y - window.Top, 4);
}

TEST(ControlMessages, WireNumbersOfComponentAndReflectedMessages)
{
  const std::pair<UINT, UINT> table[] = {
      {CM_DIALOGCHAR, 0xB006}, {CM_FOCUSCHANGED, 0xB007}, {CM_COLORCHANGED, 0xB00D},
      {CM_FONTCHANGED, 0xB00E}, {CM_MOUSEENTER, 0xB013},  {CM_MOUSELEAVE, 0xB014},
      {CM_SHOWINGCHANGED, 0xB019}, {CM_RELEASE, 0xB021},  {CM_HINTSHOW, 0xB030},
      {CN_DRAWITEM, 0xBC2B},    {CN_MEASUREITEM, 0xBC2C}, {CN_COMMAND, 0xBD11}};
  for (auto [value, wire] : table)
    EXPECT_EQ(value, wire);
}

TEST_F(ControlTest, FreedComponentsLeaveNoReferencesBehind)
{
  auto* popup = new TPopupMenu(Form);
  auto* edit = new TEdit(Form);
  edit->SetParent(Box);
  edit->SetPopupMenu(popup);
  auto* label = new TLabel(Form);
  label->SetParent(Box);
  label->SetFocusControl(edit);
  edit->SetFocus();
  EXPECT_EQ(Form->ActiveControl(), edit);

  delete popup;
  EXPECT_EQ(edit->PopupMenu(), nullptr);
  delete edit;
  EXPECT_EQ(label->FocusControl(), nullptr);
  EXPECT_EQ(Form->ActiveControl(), nullptr);
  EXPECT_EQ(Box->ControlCount(), 1);

  // A focused control that nobody owns but its parent goes without a trace.
  auto* loose = new TEdit(nullptr);
  loose->SetParent(Box);
  loose->SetFocus();
  EXPECT_EQ(Screen()->ActiveControl(), loose);
  delete loose;
  EXPECT_EQ(Screen()->ActiveControl(), nullptr);
  EXPECT_EQ(Form->ActiveControl(), nullptr);

  // The parent frees the children it holds, also those another owner owns.
  auto* stranger = new TLabel(nullptr);
  stranger->SetParent(Box);
  int owned = Form->ComponentCount();
  delete Box;  // with the label and the stranger
  Box = nullptr;
  EXPECT_EQ(Form->ControlCount(), 0);
  EXPECT_EQ(Form->ComponentCount(), owned - 2);
}

class TSpot : public TGraphicControl {
public:
  explicit TSpot(TComponent* AOwner) : TGraphicControl(AOwner) {}
  std::string Log;
  void MouseDown(TMouseButton B, TShiftState S, int X, int Y) override
  {
    Log += "down" + std::to_string(int(B)) + (S.Contains(ssDouble) ? "d" : "") + "@" + std::to_string(X) + "," +
           std::to_string(Y) + ";";
  }
  void MouseUp(TMouseButton, TShiftState, int X, int Y) override
  {
    Log += "up@" + std::to_string(X) + "," + std::to_string(Y) + ";";
  }
  void Click() override { Log += "click;"; }
  void DblClick() override { Log += "dblclick;"; }
};

TEST_F(ControlTest, GraphicControlsGetTheirParentsMouseInTheirOwnCoordinates)
{
  auto* spot = new TSpot(Form);
  spot->SetParent(Box);
  spot->SetBounds(50, 20, 30, 30);
  TPoint origin = Box->ClientToScreen(TPoint(50, 20));
  ClickAt(TPoint(origin.x + 5, origin.y + 6));
  ClickAt(TPoint(origin.x + 5, origin.y + 6));
  // The second press is a double click: no click on its release.
  EXPECT_EQ(spot->Log, "down0@5,6;click;up@5,6;dblclick;down0d@5,6;up@5,6;");

  // A press holds the mouse: the release outside still reaches the control,
  // and is no click.
  spot->Log.clear();
  THeadlessDisplay::Advance(1000);
  Display->MoveMouse(origin.x + 5, origin.y + 5);
  Display->Press();
  Display->MoveMouse(origin.x + 100, origin.y + 50);
  Display->Release();
  Pump();
  EXPECT_EQ(spot->Log, "down0@5,5;up@100,50;");
}

TEST_F(ControlTest, TabMovesTheFocusInTabOrderWithEnterAndExit)
{
  std::string log;
  struct TLog {
    std::string* Out;
    void Enter(TObject* s) { *Out += "enter " + static_cast<TComponent*>(s)->Name() + ";"; }
    void Exit(TObject* s) { *Out += "exit " + static_cast<TComponent*>(s)->Name() + ";"; }
  } logger{&log};
  TEdit* edits[3];
  for (int i = 0; i < 3; ++i) {
    edits[i] = new TEdit(Form);
    edits[i]->SetName("E" + std::to_string(i));
    edits[i]->SetParent(Box);
    edits[i]->SetTop(i * 30);
    edits[i]->OnEnter = TNotifyEvent(&logger, &TLog::Enter);
    edits[i]->OnExit = TNotifyEvent(&logger, &TLog::Exit);
  }
  edits[2]->SetTabOrder(0);  // E2, E0, E1
  edits[0]->SetEnabled(false);
  edits[2]->SetFocus();
  Pump();
  log.clear();
  Key(VK_TAB);
  EXPECT_TRUE(edits[1]->Focused());
  Key(VK_TAB);
  EXPECT_TRUE(edits[2]->Focused());
  EXPECT_EQ(log, "exit E2;enter E1;exit E1;enter E2;");
  Display->KeyDown(VK_SHIFT);
  Key(VK_TAB);
  Display->KeyUp(VK_SHIFT);
  EXPECT_TRUE(edits[1]->Focused());
}

TEST_F(ControlTest, TheWheelGoesToTheFocusedControlThenItsParents)
{
  struct TWheel {
    std::string Log;
    bool Take = false;
    void On(TObject* sender, TShiftState, int delta, TPoint, bool& handled)
    {
      Log += static_cast<TComponent*>(sender)->Name() + ":" + std::to_string(delta) + ";";
      handled = Take;
    }
  } wheel;
  auto* edit = new TEdit(Form);
  edit->SetName("Edit");
  edit->SetParent(Box);
  Box->SetName("Box");
  edit->OnMouseWheel = TMouseWheelEvent(&wheel, &TWheel::On);
  Box->OnMouseWheel = TMouseWheelEvent(&wheel, &TWheel::On);
  edit->SetFocus();
  TPoint p = CentreOf(edit);
  Display->MoveMouse(p.x, p.y);
  Display->Wheel(-120);
  Pump();
  EXPECT_EQ(wheel.Log, "Edit:-120;Box:-120;") << "not taken: the parent is asked";
  wheel.Log.clear();
  wheel.Take = true;
  Display->Wheel(120);
  Pump();
  EXPECT_EQ(wheel.Log, "Edit:120;");
}

TEST_F(ControlTest, DragAndDropBetweenControls)
{
  struct TDnd {
    std::string Log;
    bool Accept = true;
    void Over(TObject*, TObject* source, int, int, TDragState state, bool& accept)
    {
      Log += "over" + std::to_string(int(state)) + ":" + static_cast<TComponent*>(source)->Name() + ";";
      accept = Accept;
    }
    void Drop(TObject*, TObject* source, int x, int y)
    {
      Log += "drop:" + static_cast<TComponent*>(source)->Name() + "@" + std::to_string(x) + "," +
             std::to_string(y) + ";";
    }
    void End(TObject*, TObject* target, int, int)
    {
      Log += std::string("end:") + (target ? static_cast<TComponent*>(target)->Name() : "none") + ";";
    }
  } dnd;
  TControl* source = Child(alNone, 0, 0, 40, 40);
  source->SetName("Source");
  source->SetDragMode(dmAutomatic);
  source->OnEndDrag = TEndDragEvent(&dnd, &TDnd::End);
  TControl* target = Child(alNone, 100, 0, 40, 40, false);
  target->SetName("Target");
  target->OnDragOver = TDragOverEvent(&dnd, &TDnd::Over);
  target->OnDragDrop = TDragDropEvent(&dnd, &TDnd::Drop);

  for (bool accept : {true, false}) {
    SCOPED_TRACE(accept);
    dnd.Log.clear();
    dnd.Accept = accept;
    THeadlessDisplay::Advance(1000);
    TPoint from = CentreOf(source), to = CentreOf(target);
    Display->MoveMouse(from.x, from.y);
    Display->Press();
    Pump();
    EXPECT_TRUE(source->Dragging());
    Display->MoveMouse(from.x + 30, from.y);  // past the threshold, over nothing that accepts
    Display->MoveMouse(to.x, to.y);
    Display->Release();
    Pump();
    EXPECT_FALSE(source->Dragging());
    if (accept)
      EXPECT_EQ(dnd.Log, "over0:Source;over2:Source;over2:Source;drop:Source@20,20;end:Target;");
    else
      EXPECT_EQ(dnd.Log, "over0:Source;over2:Source;over2:Source;over1:Source;end:none;");
  }
}

}  // namespace

// A click handler that frees the control it belongs to: the message that ran
// it must not touch the control afterwards (the sanitizer build checks).
TEST_F(ControlTest, AControlFreedByItsOwnClickHandlerIsNotTouchedAfterwards)
{
  struct TFreeSender {
    int Clicks = 0;
    void Click(TObject* Sender)
    {
      ++Clicks;
      delete Sender;
    }
  };
  struct TCase {
    const char* Kind;
    std::function<TControl*(TForm*, TPanel*)> Make;
  };
  const TCase cases[] = {
      {"button", [](TForm* f, TPanel* box) { auto* b = new TButton(f); b->SetParent(box); return static_cast<TControl*>(b); }},
      {"panel", [](TForm* f, TPanel* box) { auto* p = new TPanel(f); p->SetParent(box); return static_cast<TControl*>(p); }},
      {"label", [](TForm* f, TPanel* box) {
         auto* l = new TLabel(f);
         l->SetAutoSize(false);
         l->SetParent(box);
         return static_cast<TControl*>(l);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Kind);
    THeadlessDisplay::Advance(1000);
    TFreeSender handler;
    TControl* control = c.Make(Form, Box);
    control->SetBounds(10, 10, 60, 30);
    control->OnClick = TNotifyEvent(&handler, &TFreeSender::Click);
    Pump();
    int before = Form->ComponentCount();
    ClickAt(CentreOf(control));
    EXPECT_EQ(handler.Clicks, 1);
    EXPECT_EQ(Form->ComponentCount(), before - 1);
  }

  // The form itself, freed from its own click handler.
  THeadlessDisplay::Advance(1000);
  TFreeSender handler;
  Box->Hide();
  Form->OnClick = TNotifyEvent(&handler, &TFreeSender::Click);
  Pump();
  ClickAt(CentreOf(Form));
  Form = nullptr;
  EXPECT_EQ(handler.Clicks, 1);
}
