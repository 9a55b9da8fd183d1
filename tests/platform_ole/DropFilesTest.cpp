// File lists of CF_HDROP blocks, including blocks that break their layout.
#include <cstring>

#include "OleTestSupport.h"

namespace {

TEST(DropFilesTest, NamesCountsAndLengthsInBothCharacterSizes)
{
  HDROP drop = MakeDropFiles({"/tmp/a.txt", "/home/é/ß.png"}, TPoint(7, 9));
  ASSERT_NE(drop, nullptr);
  EXPECT_EQ(DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0), 2u);
  EXPECT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 2u);
  EXPECT_EQ(DragQueryFileA(drop, 1, nullptr, 0), std::strlen("/home/é/ß.png"));
  EXPECT_EQ(DragQueryFileW(drop, 1, nullptr, 0), 13u);
  char name[64];
  EXPECT_EQ(DragQueryFileA(drop, 1, name, sizeof(name)), std::strlen("/home/é/ß.png"));
  EXPECT_STREQ(name, "/home/é/ß.png");
  char16_t wide[64];
  EXPECT_EQ(DragQueryFileW(drop, 0, wide, 64), 10u);
  EXPECT_EQ(std::u16string(wide), u"/tmp/a.txt");
  // A short buffer takes what fits and a zero, never half a character.
  EXPECT_EQ(DragQueryFileA(drop, 1, name, 8), 6u);
  EXPECT_STREQ(name, "/home/");
  EXPECT_EQ(DragQueryFileW(drop, 1, wide, 8), 7u);
  EXPECT_EQ(std::u16string(wide), u"/home/é");
  EXPECT_EQ(DragQueryFileA(drop, 2, name, sizeof(name)), 0u);
  TPoint at;
  EXPECT_TRUE(DragQueryPoint(drop, &at));
  EXPECT_EQ(at, TPoint(7, 9));
  DragFinish(drop);
  EXPECT_EQ(GlobalSize(drop), 0u);
}

HDROP RawBlock(const DROPFILES& header, const std::string& tail)
{
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, sizeof(header) + tail.size());
  auto* p = static_cast<char*>(GlobalLock(h));
  std::memcpy(p, &header, sizeof(header));
  std::memcpy(p + sizeof(header), tail.data(), tail.size());
  GlobalUnlock(h);
  return h;
}

TEST(DropFilesTest, EightBitListsAndBrokenBlocks)
{
  DROPFILES narrow;
  narrow.fWide = FALSE;
  HDROP drop = RawBlock(narrow, std::string("one\0two\0\0", 9));
  char name[16];
  EXPECT_EQ(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0), 2u);
  char16_t wide[16];
  EXPECT_EQ(DragQueryFileW(drop, 1, wide, 16), 3u);
  EXPECT_EQ(std::u16string(wide), u"two");
  DragFinish(drop);

  // The last name runs to the end of the block without its zero: read that far.
  drop = RawBlock(narrow, "cut");
  EXPECT_EQ(DragQueryFileA(drop, 0, name, 16), 3u);
  DragFinish(drop);
  // Names that start past the block's end, or a block shorter than its header.
  narrow.pFiles = 0x7FFFFFF0;
  drop = RawBlock(narrow, std::string("x\0\0", 3));
  EXPECT_EQ(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0), 0u);
  DragFinish(drop);
  drop = GlobalAlloc(GMEM_MOVEABLE, 6);
  EXPECT_EQ(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0), 0u);
  TPoint at;
  EXPECT_FALSE(DragQueryPoint(drop, &at));
  DragFinish(drop);
  // An odd byte at the end of a wide list is not half a character.
  DROPFILES wideHeader;
  drop = RawBlock(wideHeader, std::string("a\0b", 3));
  EXPECT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 1u);
  DragFinish(drop);
  EXPECT_EQ(DragQueryFileA(nullptr, 0xFFFFFFFF, nullptr, 0), 0u);
}

}  // namespace
