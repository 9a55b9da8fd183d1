#include <cstring>
#include <thread>

#include "WindowTestSupport.h"

namespace {

class ClipboardTest : public TWindowFixture {
protected:
  HGLOBAL Block(const void* data, std::size_t size)
  {
    HGLOBAL h = GlobalAlloc(GHND, size);
    std::memcpy(GlobalLock(h), data, size);
    GlobalUnlock(h);
    return h;
  }
  std::string Text(HANDLE h)
  {
    auto* p = static_cast<const char*>(GlobalLock(h));
    std::string s = p ? std::string(p) : std::string();
    GlobalUnlock(h);
    return s;
  }
};

TEST_F(ClipboardTest, TextFormatsStandInForEachOther)
{
  HWND owner = Make(WS_POPUP, 0, 0, 10, 10);
  ASSERT_TRUE(OpenClipboard(owner));
  ASSERT_TRUE(EmptyClipboard());
  const char text[] = "\xC3\xA9t\xC3\xA9";  // été
  EXPECT_NE(SetClipboardData(CF_TEXT, Block(text, sizeof text)), nullptr);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE wide = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(GlobalSize(wide), 8u);
  auto* p = static_cast<const char16_t*>(GlobalLock(wide));
  EXPECT_EQ(std::u16string(p), u"\u00e9t\u00e9");
  GlobalUnlock(wide);
  EXPECT_EQ(EnumClipboardFormats(0), CF_TEXT);
  EXPECT_EQ(EnumClipboardFormats(CF_TEXT), CF_UNICODETEXT);
  EXPECT_EQ(EnumClipboardFormats(CF_UNICODETEXT), 0u);
  CloseClipboard();
  EXPECT_EQ(GetClipboardOwner(), owner);
}

TEST_F(ClipboardTest, PromisedDataIsRenderedByTheOwnerWhenAskedFor)
{
  HWND owner = Make(WS_POPUP, 0, 0, 10, 10);
  UINT format = RegisterClipboardFormat("Lazy Tree Reference");
  EXPECT_EQ(RegisterClipboardFormat("Lazy Tree Reference"), format);
  On(WM_RENDERFORMAT, [&](HWND, UINT, WPARAM f, LPARAM, LRESULT&) {
    SetClipboardData(UINT(f), Block("rendu", 6));
    return true;
  });
  OpenClipboard(owner);
  EmptyClipboard();
  SetClipboardData(format, nullptr);
  CloseClipboard();
  OpenClipboard(nullptr);
  EXPECT_EQ(Text(GetClipboardData(format)), "rendu");
  EXPECT_EQ(Take({WM_RENDERFORMAT}).size(), 1u);
  char name[32];
  EXPECT_GT(GetClipboardFormatName(format, name, sizeof name), 0);
  EXPECT_STREQ(name, "Lazy Tree Reference");
  CloseClipboard();
}

TEST_F(ClipboardTest, AnotherProgramTakingTheClipboardIsSeenThroughTheDisplay)
{
  HWND owner = Make(WS_POPUP, 0, 0, 10, 10);
  OpenClipboard(owner);
  EmptyClipboard();
  SetClipboardData(CF_TEXT, Block("ours", 5));
  CloseClipboard();
  EXPECT_TRUE(Display->ClipboardOwnedByProcess());
  Take();
  const char16_t theirs[] = u"leur texte";
  std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(theirs), reinterpret_cast<const BYTE*>(theirs) + sizeof theirs);
  Display->SetForeignClipboard({{"CF_UNICODETEXT", bytes}});
  Pump();
  EXPECT_EQ(Take({WM_DESTROYCLIPBOARD}).size(), 1u);
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  ASSERT_TRUE(OpenClipboard(owner));
  HANDLE h = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(std::u16string(static_cast<const char16_t*>(GlobalLock(h))), u"leur texte");
  GlobalUnlock(h);
  EXPECT_EQ(GetClipboardData(CF_DIB), nullptr);
  // Emptying it makes it ours again.
  EmptyClipboard();
  CloseClipboard();
  EXPECT_TRUE(Display->ClipboardOwnedByProcess());
}

TEST_F(ClipboardTest, OnlyTheThreadThatOpenedItMayUseIt)
{
  ASSERT_TRUE(OpenClipboard(nullptr));
  bool otherOpened = true;
  bool otherSet = true;
  std::thread([&] {
    otherOpened = OpenClipboard(nullptr);
    otherSet = SetClipboardData(CF_TEXT, GlobalAlloc(GHND, 1)) != nullptr;
  }).join();
  EXPECT_FALSE(otherOpened);
  EXPECT_FALSE(otherSet);
  CloseClipboard();
  EXPECT_FALSE(CloseClipboard());
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
}

TEST_F(ClipboardTest, GlobalBlocksAreCheckedHandles)
{
  HGLOBAL moveable = GlobalAlloc(GHND, 16);
  HGLOBAL fixed = GlobalAlloc(GPTR, 16);
  ASSERT_NE(moveable, nullptr);
  EXPECT_EQ(GlobalLock(fixed), fixed);  // a fixed block is its own address
  EXPECT_EQ(static_cast<BYTE*>(GlobalLock(moveable))[15], 0);
  GlobalLock(moveable);
  EXPECT_TRUE(GlobalUnlock(moveable));  // still locked once
  EXPECT_FALSE(GlobalUnlock(moveable));
  EXPECT_EQ(GlobalSize(moveable), 16u);
  EXPECT_EQ(GlobalFree(moveable), nullptr);
  EXPECT_EQ(GlobalFree(moveable), moveable);  // a second free is refused
  EXPECT_EQ(GlobalLock(moveable), nullptr);
  EXPECT_EQ(GlobalSize(moveable), 0u);
  GlobalUnlock(fixed);
  GlobalFree(fixed);
}

}  // namespace
