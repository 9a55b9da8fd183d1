// Data reaching other programs on X: the formats of a data object on the
// clipboard read by xclip, what xclip offers read back through the OLE
// clipboard, and drags to and from the project's drag-and-drop peer
// (tests/tools/xdnd_peer) through the X drag-and-drop protocol.
#include "X11Peer.h"
#include "tests/support/PeerProcess.h"
#include "X11TestSupport.h"
#include "../platform_ole/OleTestSupport.h"

#include <atomic>
#include <future>
#include <thread>

namespace {

constexpr int Bound = 20000;  // generous: a loaded machine may be slow, never a fixed sleep

class X11DataExchangeTest : public X11Fixture {
protected:
  void SetUp() override
  {
    X11Fixture::SetUp();
    if (IsSkipped())
      return;
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    Html = CLIPFORMAT(RegisterClipboardFormat("HTML Format"));
    Rtf = CLIPFORMAT(RegisterClipboardFormat("Rich Text Format"));
  }
  void TearDown() override
  {
    if (Backend && X) {
      OleSetClipboard(nullptr);  // takes the clipboard back: an xclip serving it ends
      OleUninitialize();
    }
    X11Fixture::TearDown();
  }

  // Handles this thread's messages, as an application's loop does, until
  // done() or the bound. Not PumpUntil: waiting for the display's reader
  // there would stall a reader that waits for this thread to render data.
  static bool ServeUntil(const std::function<bool()>& done)
  {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Bound);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end)
        return false;
      MSG msg;
      while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));  // polling a condition, bounded
    }
    return true;
  }

  // Runs a command in the background while this thread serves the clipboard.
  static std::string RunServing(const std::string& command)
  {
    auto result = std::async(std::launch::async, [command] { return Run(command); });
    EXPECT_TRUE(ServeUntil([&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    return result.get();
  }

  static std::string Wide(const std::u16string& s)
  {
    return std::string(reinterpret_cast<const char*>(s.c_str()), (s.size() + 1) * 2);
  }

  // A window of ours, shown where asked.
  HWND MakeWindow(TRect r)
  {
    WNDCLASS wc = {};
    wc.lpfnWndProc = &DefWindowProc;
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = "X11DataExchangeWindow";
    RegisterClass(&wc);  // once; later calls find it there
    HWND h = Track(CreateWindowEx(WS_EX_TOOLWINDOW, "X11DataExchangeWindow", "", WS_POPUP | WS_VISIBLE, r.Left, r.Top, r.Width(),
                                  r.Height(), nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(PumpUntil([&] { return Viewable(XOf(h)); }, Bound));
    return h;
  }

  CLIPFORMAT Html = 0, Rtf = 0;
};

TEST_F(X11DataExchangeTest, EveryFormatOfADataObjectIsReadByAnotherProgram)
{
  HDROP files = MakeDropFiles({"/tmp/pièce jointe.txt"});
  auto* data = new TMemoryDataObject;
  InterfacePtr<IDataObject> keep(data);
  data->PutBytes(CF_UNICODETEXT, Wide(u"Bonjour Élodie,\r\nà demain"));
  data->PutBytes(Html, std::string("Version:0.9\r\nStartHTML:0000000105\r\nEndHTML:0000000142\r\n"
                                   "StartFragment:0000000117\r\nEndFragment:0000000128\r\n"
                                   "<html><body><b>gras</b></body></html>") +
                           '\0');
  data->PutStream(Rtf, "{\\rtf1 gras}");
  data->PutBytes(CF_HDROP, BlockText(files));
  DragFinish(files);
  ASSERT_EQ(OleSetClipboard(data), S_OK);

  std::string targets = RunServing("xclip -o -selection clipboard -t TARGETS 2>/dev/null");
  for (const char* t : {"UTF8_STRING", "text/plain;charset=utf-8", "STRING", "text/html", "text/rtf", "text/uri-list"})
    EXPECT_NE(targets.find(t), std::string::npos) << t << " missing from\n" << targets;
  struct {
    const char* Target;
    std::string Expected;
  } reads[] = {
      {"UTF8_STRING", "Bonjour Élodie,\nà demain"},
      {"text/html", "<html><body><b>gras</b></body></html>"},
      {"text/rtf", "{\\rtf1 gras}"},
      {"text/uri-list", "file:///tmp/pi%C3%A8ce%20jointe.txt\r\n"},
  };
  for (auto& r : reads)
    EXPECT_EQ(RunServing(std::string("xclip -o -selection clipboard -t ") + r.Target + " 2>/dev/null"), r.Expected)
        << r.Target;
}

TEST_F(X11DataExchangeTest, WhatAnotherProgramPutsOnTheClipboardIsReadThroughOleGetClipboard)
{
  struct {
    const char* Target;
    std::string Put;
    CLIPFORMAT Format;
    std::string Expected;
  } cases[] = {
      {"UTF8_STRING", "collé depuis\nun autre programme", CF_UNICODETEXT, Wide(u"collé depuis\r\nun autre programme")},
      {"text/html", "<p>écrit <i>ailleurs</i></p>", Html, ""},
  };
  for (auto& c : cases) {
    std::string file = testing::TempDir() + "corvane-ole-clip.txt";
    FILE* f = std::fopen(file.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(c.Put.data(), 1, c.Put.size(), f);
    std::fclose(f);
    Run(std::string("xclip -i -selection clipboard -t ") + c.Target + " < " + file + " >/dev/null 2>&1 &");
    ASSERT_TRUE(PumpUntil([&] { return IsClipboardFormatAvailable(c.Format); }, Bound)) << c.Target;

    IDataObject* raw = nullptr;
    ASSERT_EQ(OleGetClipboard(&raw), S_OK);
    InterfacePtr<IDataObject> clip = InterfacePtr<IDataObject>::Adopt(raw);
    FORMATETC format{c.Format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium;
    ASSERT_EQ(clip->GetData(&format, &medium), S_OK) << c.Target;
    std::string got = BlockText(medium.hGlobal);
    ReleaseStgMedium(&medium);
    if (c.Format == Html) {
      // The header's offsets name the other program's HTML.
      std::size_t at = got.find("StartFragment:"), end = got.find("EndFragment:");
      ASSERT_NE(at, std::string::npos);
      ASSERT_NE(end, std::string::npos);
      std::size_t from = std::stoul(got.substr(at + 14)), to = std::stoul(got.substr(end + 12));
      ASSERT_LE(to, got.size());
      EXPECT_EQ(got.substr(from, to - from), c.Put);
    } else {
      EXPECT_EQ(got, c.Expected);
    }
    OleSetClipboard(nullptr);
  }
}

// Drops when the button is let go; records the feedback it was given.
class TButtonDropSource : public TInterfacedObject<IDropSource> {
public:
  HRESULT QueryContinueDrag(BOOL escape, DWORD keys) override
  {
    if (escape)
      return DRAGDROP_S_CANCEL;
    return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT GiveFeedback(DWORD effect) override
  {
    Feedback = effect;
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }
  std::atomic<DWORD> Feedback{DROPEFFECT_NONE};
};

TEST_F(X11DataExchangeTest, ADragFromOurWindowDeliversTheTextToAnotherProgram)
{
  MakeWindow(TRect(100, 100, 300, 250));  // where the drag starts
  for (const char* action : {"copy", "move", "link"}) {
    TPeerProcess peer("xdnd_peer", {"target", "700", "200", "200", "200", action});
    ASSERT_EQ(peer.ReadLine(20000).rfind("ready ", 0), 0u) << action;
    auto* data = new TMemoryDataObject;
    InterfacePtr<IDataObject> keepData(data);
    data->PutBytes(CF_UNICODETEXT, Wide(u"Glissé vers l'autre programme"));
    auto* source = new TButtonDropSource;
    InterfacePtr<IDropSource> keepSource(source);

    // The button goes down on our window, as a drag starts.
    MoveTo(200, 175);
    HoldFirstButton(X, true);
    ASSERT_TRUE(PumpUntil([] { return GetAsyncKeyState(VK_LBUTTON) < 0; }, Bound));
    // A hand moves the pointer to the other program and lets go once the
    // drag shows that the target there takes it.
    std::thread hand([&] {
      for (int step = 1; step <= 20; ++step)
        MoveTo(200 + (800 - 200) * step / 20, 175 + (300 - 175) * step / 20);
      auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Bound);
      while (source->Feedback == DROPEFFECT_NONE && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));  // polling a condition, bounded
      HoldFirstButton(X, false);
    });
    DWORD effect = DROPEFFECT_NONE;
    HRESULT hr = DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
    hand.join();
    EXPECT_EQ(hr, DRAGDROP_S_DROP) << action;
    DWORD expected = std::string(action) == "copy" ? DROPEFFECT_COPY
                     : std::string(action) == "move" ? DROPEFFECT_MOVE
                                                     : DROPEFFECT_LINK;
    EXPECT_EQ(effect, expected) << action;
    EXPECT_EQ(peer.ReadLine(20000), std::string("dropped ") + action + " Glissé vers l'autre programme");
  }
}

// Takes text: answers copy while the pointer is over it, and keeps what is dropped.
class TTextDropTarget : public TInterfacedObject<IDropTarget> {
public:
  HRESULT DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override
  {
    FORMATETC f{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    Offered = data->QueryGetData(&f) == S_OK;
    *effect = Offered ? *effect & DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT DragOver(DWORD, POINTL, DWORD* effect) override
  {
    *effect = Offered ? *effect & DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT DragLeave() override { return S_OK; }
  HRESULT Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
  {
    FORMATETC f{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium;
    if (data->GetData(&f, &medium) == S_OK) {
      std::string bytes = BlockText(medium.hGlobal);
      Dropped = UTF8Encode(std::u16string(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2 - 1));
      ReleaseStgMedium(&medium);
    }
    *effect = *effect & DROPEFFECT_COPY;
    return S_OK;
  }
  bool Offered = false;
  std::string Dropped;
};

TEST_F(X11DataExchangeTest, ADragFromAnotherProgramDeliversTheTextToOurTarget)
{
  HWND ours = MakeWindow(TRect(150, 150, 450, 350));
  auto* target = new TTextDropTarget;
  InterfacePtr<IDropTarget> keep(target);
  ASSERT_EQ(RegisterDragDrop(ours, target), S_OK);

  TPeerProcess peer("xdnd_peer", {"source", std::to_string(XOf(ours)), "Déposé depuis l'autre programme", "copy"});
  ASSERT_TRUE(ServeUntil([&] { return !target->Dropped.empty(); })) << peer.ReadLine(100);
  EXPECT_TRUE(target->Offered);
  EXPECT_EQ(target->Dropped, "Déposé depuis l'autre programme");
  std::string finished;
  ASSERT_TRUE(ServeUntil([&] { return !(finished = peer.ReadLine(10)).empty(); }));
  EXPECT_EQ(finished, "finished 1 copy");

  // A move the target does not take is refused: the source hears nothing was done.
  TPeerProcess mover("xdnd_peer", {"source", std::to_string(XOf(ours)), "refusé", "move"});
  std::string answer;
  ASSERT_TRUE(ServeUntil([&] { return !(answer = mover.ReadLine(10)).empty(); }));
  EXPECT_EQ(answer, "refused");
  RevokeDragDrop(ours);
}

}  // namespace
