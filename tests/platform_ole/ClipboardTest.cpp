// The format enumerator's contract, flushing the OLE clipboard, and the
// object's life on the clipboard.
#include <atomic>
#include <chrono>
#include <thread>

#include "OleTestSupport.h"

namespace {

class OleClipboardTest : public TOleFixture {};

FORMATETC Format(CLIPFORMAT f) { return FORMATETC{f, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

TEST(FormatEnumeratorTest, FollowsTheEnumeratorContract)
{
  InterfacePtr<IEnumFORMATETC> e(new TFormatEtcEnumerator({Format(1), Format(2), Format(3)}));
  FORMATETC got[5];
  ULONG fetched = 99;
  EXPECT_EQ(e->Next(2, got, &fetched), S_OK);
  EXPECT_EQ(fetched, 2u);
  EXPECT_EQ(got[1].cfFormat, 2);
  // Fewer left than asked for: what there is, and S_FALSE.
  EXPECT_EQ(e->Next(5, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(got[0].cfFormat, 3);
  EXPECT_EQ(e->Next(1, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  // Only a single record may be asked for without a count to fill.
  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(e->Next(2, got, nullptr), E_POINTER);
  EXPECT_EQ(e->Next(1, got, nullptr), S_OK);
  EXPECT_EQ(got[0].cfFormat, 1);
  // Skip: S_OK when that many remained; past the end S_FALSE, at the end.
  EXPECT_EQ(e->Skip(1), S_OK);
  IEnumFORMATETC* raw = nullptr;
  ASSERT_EQ(e->Clone(&raw), S_OK);
  InterfacePtr<IEnumFORMATETC> clone = InterfacePtr<IEnumFORMATETC>::Adopt(raw);
  EXPECT_EQ(e->Skip(5), S_FALSE);
  EXPECT_EQ(e->Next(1, got, &fetched), S_FALSE);
  // The clone kept the position it was made at, apart from the original.
  EXPECT_EQ(clone->Next(1, got, &fetched), S_OK);
  EXPECT_EQ(got[0].cfFormat, 3);
  EXPECT_EQ(clone->Skip(0), S_OK);
  EXPECT_EQ(clone->Skip(1), S_FALSE);
}

TEST_F(OleClipboardTest, FlushLeavesTheDataReadableAfterTheSourceIsGone)
{
  CLIPFORMAT fData = CLIPFORMAT(RegisterClipboardFormat("Ole Test Flushed"));
  CLIPFORMAT fStream = CLIPFORMAT(RegisterClipboardFormat("Ole Test Flushed Stream"));
  bool alive = false;
  {
    auto* object = new TMemoryDataObject(&alive);
    InterfacePtr<IDataObject> source(object);
    object->PutBytes(fData, "kept after the flush");
    object->PutStream(fStream, "streamed");
    ASSERT_EQ(OleSetClipboard(source.Get()), S_OK);
  }
  ASSERT_TRUE(alive) << "the clipboard holds the object";
  ASSERT_EQ(OleFlushClipboard(), S_OK);
  EXPECT_FALSE(alive) << "flushing lets the object go";

  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(BlockText(GetClipboardData(fData)), "kept after the flush");
  EXPECT_EQ(BlockText(GetClipboardData(fStream)), "streamed");
  ASSERT_TRUE(CloseClipboard());

  IDataObject* raw = nullptr;
  ASSERT_EQ(OleGetClipboard(&raw), S_OK);
  InterfacePtr<IDataObject> clip = InterfacePtr<IDataObject>::Adopt(raw);
  FORMATETC f = Format(fData);
  STGMEDIUM m;
  ASSERT_EQ(clip->GetData(&f, &m), S_OK);
  EXPECT_EQ(BlockText(m.hGlobal), "kept after the flush");
  ReleaseStgMedium(&m);
  EXPECT_EQ(OleFlushClipboard(), S_OK) << "nothing left to flush";
}

TEST_F(OleClipboardTest, TheLastOleUninitializeFlushesTheThreadsObject)
{
  CLIPFORMAT fData = CLIPFORMAT(RegisterClipboardFormat("Ole Test Uninitialised"));
  bool alive = false;
  ASSERT_EQ(OleInitialize(nullptr), S_FALSE) << "the fixture's was the first";
  {
    auto* object = new TMemoryDataObject(&alive);
    InterfacePtr<IDataObject> source(object);
    object->PutBytes(fData, "outlives OLE");
    ASSERT_EQ(OleSetClipboard(source.Get()), S_OK);
  }
  OleUninitialize();
  EXPECT_TRUE(alive) << "not the last uninitialise";
  OleUninitialize();
  EXPECT_FALSE(alive);
  EXPECT_EQ(OleSetClipboard(nullptr), CO_E_NOTINITIALIZED);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(BlockText(GetClipboardData(fData)), "outlives OLE");
  ASSERT_TRUE(CloseClipboard());
  ASSERT_EQ(OleInitialize(nullptr), S_OK);  // for the fixture's tear-down
}

// Another thread (a display's reader thread serving another program, say)
// reads a format: the object renders it on the thread that set it.
TEST_F(OleClipboardTest, AnotherThreadReadsTheObjectsData)
{
  CLIPFORMAT fData = CLIPFORMAT(RegisterClipboardFormat("Ole Test Other Thread"));
  auto* object = new TMemoryDataObject;
  InterfacePtr<IDataObject> source(object);
  object->PutBytes(fData, "rendered for a reader");
  ASSERT_EQ(OleSetClipboard(source.Get()), S_OK);
  std::atomic<bool> done{false};
  std::string read;
  std::thread reader([&] {
    if (OpenClipboard(nullptr)) {
      read = BlockText(GetClipboardData(fData));
      CloseClipboard();
    }
    done = true;
  });
  while (!done) {
    THeadlessDisplay::PumpMessages();  // runs the render sent to this thread
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  reader.join();
  EXPECT_EQ(read, "rendered for a reader");
}

TEST_F(OleClipboardTest, SettingTheSameObjectAgainKeepsIt)
{
  bool alive = false;
  auto* object = new TMemoryDataObject(&alive);
  object->PutBytes(CF_TEXT, "same");
  object->AddRef();
  ASSERT_EQ(OleSetClipboard(object), S_OK);
  object->Release();  // only the clipboard holds it
  ASSERT_EQ(OleSetClipboard(object), S_OK);
  ASSERT_TRUE(alive);
  EXPECT_EQ(OleIsCurrentClipboard(object), S_OK);
  ASSERT_EQ(OleSetClipboard(nullptr), S_OK);
  EXPECT_FALSE(alive);
}

}  // namespace
