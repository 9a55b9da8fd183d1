// In-process drag and drop driven by synthetic input: targets found under
// the pointer, enter, over, leave and drop, effects by key state, Escape.
#include <deque>
#include <functional>

#include "OleTestSupport.h"

namespace {

std::string Keys(DWORD keys)
{
  std::string s;
  const std::pair<DWORD, const char*> names[] = {{MK_LBUTTON, "L"}, {MK_RBUTTON, "R"}, {MK_SHIFT, "S"},
                                                 {MK_CONTROL, "C"}, {MK_MBUTTON, "M"}, {MK_ALT, "A"}};
  for (auto [bit, name] : names)
    if (keys & bit)
      s += name;
  return s.empty() ? "-" : s;
}

// Records every call as text; answers the allowed effects it accepts.
class TRecordingTarget : public TInterfacedObject<IDropTarget> {
public:
  TRecordingTarget(std::string name, std::vector<std::string>* log) : FName(std::move(name)), FLog(log) {}
  DWORD Accepts = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  std::string Dropped;

  HRESULT DragEnter(IDataObject* data, DWORD keys, POINTL p, DWORD* effect) override
  {
    FLog->push_back(FName + " enter " + Where(p) + " " + Keys(keys) + " " + std::to_string(*effect));
    FData = data;
    *effect &= Accepts;
    return S_OK;
  }
  HRESULT DragOver(DWORD keys, POINTL p, DWORD* effect) override
  {
    FLog->push_back(FName + " over " + Where(p) + " " + Keys(keys));
    *effect &= Accepts;
    return S_OK;
  }
  HRESULT DragLeave() override
  {
    FLog->push_back(FName + " leave");
    FData.Reset();
    return S_OK;
  }
  HRESULT Drop(IDataObject* data, DWORD keys, POINTL p, DWORD* effect) override
  {
    FLog->push_back(FName + " drop " + Where(p) + " " + Keys(keys));
    FORMATETC f{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM m;
    if (data == FData.Get() && SUCCEEDED(data->GetData(&f, &m))) {
      Dropped = BlockText(m.hGlobal);
      ReleaseStgMedium(&m);
    }
    FData.Reset();
    *effect &= Accepts;
    return S_OK;
  }

private:
  static std::string Where(POINTL p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
  std::string FName;
  std::vector<std::string>* FLog;
  InterfacePtr<IDataObject> FData;
};

// The usual source: Escape or both buttons cancel, no left button drops.
class TTestSource : public TInterfacedObject<IDropSource> {
public:
  std::vector<DWORD> Feedback;
  HRESULT QueryContinueDrag(BOOL escape, DWORD keys) override
  {
    if (escape || (keys & MK_LBUTTON && keys & MK_RBUTTON))
      return DRAGDROP_S_CANCEL;
    return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT GiveFeedback(DWORD effect) override
  {
    Feedback.push_back(effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }
};

LRESULT PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

class DragDropTest : public TOleFixture {
protected:
  void SetUp() override
  {
    TOleFixture::SetUp();
    THeadlessDisplay::UseVirtualClock();  // the loop's repeat timer only when a test advances it
    static bool registered = [] {
      WNDCLASS wc = {};
      wc.lpfnWndProc = PlainProc;
      wc.lpszClassName = "OleDragTestWindow";
      return RegisterClass(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    SourceWindow = Popup(0, 0, 100, 100);
    AWindow = Popup(200, 0, 200, 200);
    AChild = CreateWindowEx(0, "OleDragTestWindow", "", WS_CHILD | WS_VISIBLE, 10, 10, 80, 80, AWindow, nullptr,
                            nullptr, nullptr);
    BWindow = Popup(500, 0, 200, 200);
    A = new TRecordingTarget("A", &Log);
    B = new TRecordingTarget("B", &Log);
    ASSERT_EQ(RegisterDragDrop(AWindow, A.Get()), S_OK);
    ASSERT_EQ(RegisterDragDrop(BWindow, B.Get()), S_OK);
    Data = new TMemoryDataObject;
    Data->PutBytes(CF_TEXT, "dragged text");
    Display->SetIdleScript([this] {
      if (Steps.empty())
        return false;
      auto step = std::move(Steps.front());
      Steps.pop_front();
      step();
      return true;
    });
  }
  void TearDown() override
  {
    RevokeDragDrop(AWindow);
    RevokeDragDrop(BWindow);
    for (HWND w : {SourceWindow, AWindow, BWindow})
      DestroyWindow(w);
    TOleFixture::TearDown();
  }
  HWND Popup(int x, int y, int w, int h)
  {
    return CreateWindowEx(0, "OleDragTestWindow", "", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr, nullptr,
                          nullptr);
  }
  // Presses the left button in the source window, then runs the drag with the steps.
  HRESULT Drag(DWORD allowed, DWORD* effect)
  {
    Display->MoveMouse(50, 50);
    Display->Press();
    THeadlessDisplay::PumpMessages();
    // Whatever happens, the drag ends: a last step lets the button go.
    Steps.push_back([this] { Display->Release(); });
    return DoDragDrop(Data.Get(), Source.Get(), allowed, effect);
  }
  void Step(std::function<void()> step) { Steps.push_back(std::move(step)); }
  HCURSOR Cursor(LPCSTR id) { return LoadCursor(nullptr, id); }

  HWND SourceWindow = nullptr, AWindow = nullptr, AChild = nullptr, BWindow = nullptr;
  std::vector<std::string> Log;
  InterfacePtr<TRecordingTarget> A, B;
  InterfacePtr<TMemoryDataObject> Data;
  InterfacePtr<TTestSource> Source{new TTestSource};
  std::deque<std::function<void()>> Steps;
};

constexpr DWORD All = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

TEST_F(DragDropTest, ScriptedDragBetweenTwoWindows)
{
  std::vector<HCURSOR> cursors;
  auto cursor = [&] { cursors.push_back(Display->Cursor()); };
  Step([&] { cursor(); Display->MoveMouse(230, 30); });  // over A's child: A is the target
  Step([&] { cursor(); Display->MoveMouse(240, 40); });
  Step([&] { cursor(); Display->MoveMouse(150, 300); });  // over no window
  Step([&] { cursor(); Display->MoveMouse(550, 50); });
  Step([&] { cursor(); Display->KeyDown(VK_CONTROL); });
  Step([&] { cursor(); Display->KeyDown(VK_SHIFT); });
  Step([&] { cursor(); Display->KeyUp(VK_CONTROL); });
  Step([&] { cursor(); Display->MoveMouse(560, 70); });
  DWORD effect = 99;
  EXPECT_EQ(Drag(All, &effect), DRAGDROP_S_DROP);
  EXPECT_EQ(effect, DROPEFFECT_MOVE);
  std::vector<std::string> expected = {"A enter 230,30 L 7", "A over 240,40 L", "A leave",
                                       "B enter 550,50 L 7", "B over 550,50 LC", "B over 550,50 LSC",
                                       "B over 550,50 LS",   "B over 560,70 LS", "B drop 560,70 S"};
  EXPECT_EQ(Log, expected);
  EXPECT_EQ(B->Dropped, "dragged text");
  std::vector<DWORD> feedback = {DROPEFFECT_NONE, DROPEFFECT_MOVE, DROPEFFECT_MOVE, DROPEFFECT_NONE, DROPEFFECT_MOVE,
                                 DROPEFFECT_COPY, DROPEFFECT_LINK, DROPEFFECT_MOVE, DROPEFFECT_MOVE};
  EXPECT_EQ(Source->Feedback, feedback);
  // The cursor each step saw: the default cursor of the feedback before it.
  std::vector<HCURSOR> shown = {Cursor(IDC_NO),       Cursor(IDC_DRAGMOVE), Cursor(IDC_DRAGMOVE), Cursor(IDC_NO),
                                Cursor(IDC_DRAGMOVE), Cursor(IDC_DRAGCOPY), Cursor(IDC_DRAGLINK), Cursor(IDC_DRAGMOVE)};
  EXPECT_EQ(cursors, shown);
  EXPECT_EQ(GetCapture(), nullptr) << "the loop gave the capture back";
}

TEST_F(DragDropTest, EscapeCancelsAndTheTargetHearsDragLeave)
{
  Step([&] { Display->MoveMouse(550, 50); });
  Step([&] { Display->KeyDown(VK_ESCAPE); });
  Step([&] { Display->KeyUp(VK_ESCAPE); });
  DWORD effect = 99;
  EXPECT_EQ(Drag(All, &effect), DRAGDROP_S_CANCEL);
  EXPECT_EQ(effect, DROPEFFECT_NONE);
  EXPECT_EQ(Log, (std::vector<std::string>{"B enter 550,50 L 7", "B leave"}));
  EXPECT_EQ(B->Dropped, "");
}

TEST_F(DragDropTest, EffectsFollowKeysAsTheTargetAndTheSourceNarrowThem)
{
  struct TCase {
    std::vector<BYTE> KeysDown;
    DWORD Allowed, Accepts;
    HRESULT Result;
    DWORD Effect;
  } cases[] = {
      {{}, All, All, DRAGDROP_S_DROP, DROPEFFECT_MOVE},
      {{VK_CONTROL}, All, All, DRAGDROP_S_DROP, DROPEFFECT_COPY},
      {{VK_SHIFT}, All, All, DRAGDROP_S_DROP, DROPEFFECT_MOVE},
      {{VK_CONTROL, VK_SHIFT}, All, All, DRAGDROP_S_DROP, DROPEFFECT_LINK},
      {{VK_CONTROL}, DROPEFFECT_MOVE, All, DRAGDROP_S_DROP, DROPEFFECT_MOVE},
      {{}, DROPEFFECT_COPY | DROPEFFECT_LINK, All, DRAGDROP_S_DROP, DROPEFFECT_COPY},
      {{VK_SHIFT}, All, DROPEFFECT_COPY, DRAGDROP_S_DROP, DROPEFFECT_COPY},
      {{}, All, DROPEFFECT_NONE, DRAGDROP_S_CANCEL, DROPEFFECT_NONE},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "allowed " << c.Allowed << " accepts " << c.Accepts << " keys "
                                    << c.KeysDown.size());
    Log.clear();
    B->Accepts = c.Accepts;
    B->Dropped.clear();
    for (BYTE vk : c.KeysDown)
      Display->KeyDown(vk);
    Step([&] { Display->MoveMouse(600, 100); });
    DWORD effect = 99;
    EXPECT_EQ(Drag(c.Allowed, &effect), c.Result);
    EXPECT_EQ(effect, c.Effect);
    DWORD keys = 0;
    for (BYTE vk : c.KeysDown)
      keys |= vk == VK_CONTROL ? MK_CONTROL : MK_SHIFT;
    ASSERT_FALSE(Log.empty());
    EXPECT_EQ(Log.back(), c.Result == DRAGDROP_S_DROP ? "B drop 600,100 " + Keys(keys) : "B leave")
        << "a refused drop is a leave";
    for (BYTE vk : c.KeysDown)
      Display->KeyUp(vk);
    THeadlessDisplay::PumpMessages();
  }
}

TEST_F(DragDropTest, DroppingWhereNoWindowTakesItCancels)
{
  Step([&] { Display->MoveMouse(150, 300); });
  DWORD effect = 99;
  EXPECT_EQ(Drag(All, &effect), DRAGDROP_S_CANCEL);
  EXPECT_EQ(effect, DROPEFFECT_NONE);
  EXPECT_TRUE(Log.empty());
}

TEST_F(DragDropTest, RegistrationRules)
{
  EXPECT_EQ(RegisterDragDrop(AWindow, B.Get()), DRAGDROP_E_ALREADYREGISTERED);
  EXPECT_EQ(RegisterDragDrop(AChild, nullptr), E_INVALIDARG);
  EXPECT_EQ(RegisterDragDrop(reinterpret_cast<HWND>(0x1234), B.Get()), DRAGDROP_E_INVALIDHWND);
  EXPECT_EQ(RevokeDragDrop(AChild), DRAGDROP_E_NOTREGISTERED);
  HWND inner = nullptr;
  IDropTarget* found = FindDropTarget(TPoint(230, 30), &inner);
  EXPECT_EQ(found, static_cast<IDropTarget*>(A.Get()));
  EXPECT_EQ(inner, AWindow);
  found->Release();
  // A window destroyed without revoking lets its target go at the next registration.
  HWND gone = Popup(0, 300, 50, 50);
  auto* counted = new TRecordingTarget("gone", &Log);
  counted->AddRef();
  ASSERT_EQ(RegisterDragDrop(gone, counted), S_OK);
  EXPECT_EQ(counted->RefCount(), 2);
  DestroyWindow(gone);
  HWND fresh = Popup(0, 300, 50, 50);
  ASSERT_EQ(RegisterDragDrop(fresh, B.Get()), S_OK);
  EXPECT_EQ(counted->RefCount(), 1);
  counted->Release();
  RevokeDragDrop(fresh);
  DestroyWindow(fresh);
}

}  // namespace
