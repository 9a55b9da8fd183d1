// Storage media through data objects and the OLE clipboard, and their release.
#include <unistd.h>

#include <fstream>
#include <thread>

#include "OleTestSupport.h"

namespace {

class MediaTest : public TOleFixture {};

bool FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

char16_t* TaskName(const std::string& path)
{
  std::u16string w = Wide(path);
  auto* name = static_cast<char16_t*>(CoTaskMemAlloc((w.size() + 1) * 2));
  std::copy(w.begin(), w.end(), name);
  name[w.size()] = 0;
  return name;
}

// Every medium kind goes onto the clipboard in a data object, comes back
// through OleGetClipboard's object as it went, and is released as its kind
// says when the clipboard lets the object go.
TEST_F(MediaTest, EveryMediumKindRoundTripsThroughTheClipboardAndIsReleased)
{
  CLIPFORMAT fGlobal = CLIPFORMAT(RegisterClipboardFormat("Ole Test Global"));
  CLIPFORMAT fStream = CLIPFORMAT(RegisterClipboardFormat("Ole Test Stream"));
  CLIPFORMAT fFile = CLIPFORMAT(RegisterClipboardFormat("Ole Test File"));
  CLIPFORMAT fStorage = CLIPFORMAT(RegisterClipboardFormat("Ole Test Storage"));
  CLIPFORMAT fBitmap = CLIPFORMAT(CF_BITMAP);

  std::string path = testing::TempDir() + "ole_medium_file.txt";
  std::ofstream(path) << "file body";
  bool storageAlive = false, objectAlive = false;
  HBITMAP bitmap = CreateBitmap(3, 2, 1, 32, nullptr);
  ASSERT_NE(bitmap, nullptr);

  auto* object = new TMemoryDataObject(&objectAlive);
  InterfacePtr<IDataObject> source(object);
  object->PutBytes(fGlobal, std::string("global\0bytes", 12));
  object->PutStream(fStream, "stream bytes");
  {
    FORMATETC f{fFile, nullptr, DVASPECT_CONTENT, -1, TYMED_FILE};
    STGMEDIUM m;
    m.tymed = TYMED_FILE;
    m.lpszFileName = TaskName(path);
    ASSERT_EQ(object->SetData(&f, &m, TRUE), S_OK);
    f = {fStorage, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTORAGE};
    m = STGMEDIUM();
    m.tymed = TYMED_ISTORAGE;
    m.pstg = new TCounted(&storageAlive);
    m.pstg->AddRef();
    ASSERT_EQ(object->SetData(&f, &m, TRUE), S_OK);
    f = {fBitmap, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    m = STGMEDIUM();
    m.tymed = TYMED_GDI;
    m.hBitmap = bitmap;
    ASSERT_EQ(object->SetData(&f, &m, TRUE), S_OK);
  }
  ASSERT_EQ(OleSetClipboard(source.Get()), S_OK);
  source.Reset();  // the clipboard holds it now
  ASSERT_TRUE(objectAlive);

  IDataObject* raw = nullptr;
  ASSERT_EQ(OleGetClipboard(&raw), S_OK);
  InterfacePtr<IDataObject> clip = InterfacePtr<IDataObject>::Adopt(raw);

  struct TCase {
    CLIPFORMAT Format;
    DWORD Tymed;
  } cases[] = {{fGlobal, TYMED_HGLOBAL}, {fStream, TYMED_ISTREAM}, {fFile, TYMED_FILE},
               {fStorage, TYMED_ISTORAGE}, {fBitmap, TYMED_GDI}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Tymed);
    FORMATETC f{c.Format, nullptr, DVASPECT_CONTENT, -1, c.Tymed};
    EXPECT_EQ(clip->QueryGetData(&f), S_OK);
    STGMEDIUM m;
    ASSERT_EQ(clip->GetData(&f, &m), S_OK);
    ASSERT_EQ(m.tymed, c.Tymed);
    switch (c.Tymed) {
    case TYMED_HGLOBAL: EXPECT_EQ(BlockText(m.hGlobal), std::string("global\0bytes", 12)); break;
    case TYMED_ISTREAM: EXPECT_EQ(StreamText(m.pstm), "stream bytes"); break;
    case TYMED_FILE: EXPECT_EQ(std::u16string(m.lpszFileName), Wide(path)); break;
    case TYMED_ISTORAGE: EXPECT_TRUE(storageAlive); break;
    case TYMED_GDI: EXPECT_EQ(m.hBitmap, bitmap); break;
    }
    HGLOBAL block = c.Tymed == TYMED_HGLOBAL ? m.hGlobal : nullptr;
    ReleaseStgMedium(&m);
    EXPECT_EQ(m.tymed, TYMED_NULL);
    if (block) {
      EXPECT_EQ(GlobalSize(block), 0u) << "the received block is freed";
    }
    // What the receiver released was its own: the source still has all of it.
    EXPECT_TRUE(FileExists(path));
    EXPECT_TRUE(storageAlive);
    BITMAP info;
    EXPECT_NE(GetObject(bitmap, sizeof(info), &info), 0);
  }
  clip.Reset();

  // Emptying the clipboard lets the object go, and with it every medium it owned.
  ASSERT_EQ(OleSetClipboard(nullptr), S_OK);
  EXPECT_FALSE(objectAlive);
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(storageAlive);
  BITMAP info;
  EXPECT_EQ(GetObject(bitmap, sizeof(info), &info), 0);
}

TEST_F(MediaTest, ReleaseWithAReleaseObjectReleasesOnlyThatObject)
{
  bool alive = false;
  auto* owner = new TCounted(&alive);
  owner->AddRef();
  owner->AddRef();  // one for the medium
  HGLOBAL block = BlockWith("kept");
  STGMEDIUM m;
  m.tymed = TYMED_HGLOBAL;
  m.hGlobal = block;
  m.pUnkForRelease = owner;
  ReleaseStgMedium(&m);
  EXPECT_EQ(BlockText(block), "kept");
  EXPECT_EQ(owner->RefCount(), 1);
  EXPECT_EQ(m.pUnkForRelease, nullptr);
  owner->Release();
  EXPECT_FALSE(alive);
  GlobalFree(block);
}

// A format set on the OLE clipboard is read by the plain clipboard calls, a
// stream-only format included; plain data are read through OleGetClipboard in
// global memory and as a stream.
TEST_F(MediaTest, PlainAndOleClipboardReadEachOther)
{
  CLIPFORMAT fStream = CLIPFORMAT(RegisterClipboardFormat("Ole Test Stream Only"));
  auto* object = new TMemoryDataObject;
  InterfacePtr<IDataObject> source(object);
  object->PutBytes(CF_TEXT, std::string("hello", 6));
  object->PutStream(fStream, "from a stream");
  ASSERT_EQ(OleSetClipboard(source.Get()), S_OK);
  EXPECT_EQ(OleIsCurrentClipboard(source.Get()), S_OK);

  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(IsClipboardFormatAvailable(fStream));
  EXPECT_EQ(BlockText(GetClipboardData(CF_TEXT)), std::string("hello", 6));
  EXPECT_EQ(BlockText(GetClipboardData(fStream)), "from a stream");
  // CF_UNICODETEXT is made from the rendered text.
  HANDLE wide = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(std::u16string(static_cast<const char16_t*>(GlobalLock(wide))), u"hello");
  GlobalUnlock(wide);
  ASSERT_TRUE(CloseClipboard());

  // Plain data replace the object, which is let go.
  CLIPFORMAT fPlain = CLIPFORMAT(RegisterClipboardFormat("Ole Test Plain"));
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  SetClipboardData(fPlain, BlockWith("plain data"));
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(OleIsCurrentClipboard(source.Get()), S_FALSE);
  EXPECT_EQ(object->RefCount(), 1);

  IDataObject* raw = nullptr;
  ASSERT_EQ(OleGetClipboard(&raw), S_OK);
  InterfacePtr<IDataObject> clip = InterfacePtr<IDataObject>::Adopt(raw);
  FORMATETC f{fPlain, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM m;
  ASSERT_EQ(clip->GetData(&f, &m), S_OK);
  EXPECT_EQ(BlockText(m.hGlobal), "plain data");
  ReleaseStgMedium(&m);
  f.tymed = TYMED_ISTREAM;
  ASSERT_EQ(clip->GetData(&f, &m), S_OK);
  ASSERT_EQ(m.tymed, TYMED_ISTREAM);
  EXPECT_EQ(StreamText(m.pstm), "plain data");
  ReleaseStgMedium(&m);

  struct TVerdict {
    FORMATETC Format;
    HRESULT Answer;
  } verdicts[] = {{{fPlain, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, S_OK},
                  {{fStream, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, DV_E_FORMATETC},
                  {{fPlain, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI}, DV_E_TYMED},
                  {{fPlain, nullptr, DVASPECT_ICON, -1, TYMED_HGLOBAL}, DV_E_DVASPECT},
                  {{fPlain, nullptr, DVASPECT_CONTENT, 0, TYMED_HGLOBAL}, DV_E_LINDEX}};
  for (auto& v : verdicts) {
    EXPECT_EQ(clip->QueryGetData(&v.Format), v.Answer);
    if (v.Answer != S_OK) {
      STGMEDIUM none;
      EXPECT_EQ(clip->GetData(&v.Format, &none), v.Answer);
    }
  }
  IEnumFORMATETC* e = nullptr;
  ASSERT_EQ(clip->EnumFormatEtc(DATADIR_GET, &e), S_OK);
  FORMATETC listed;
  ULONG fetched = 0;
  ASSERT_EQ(e->Next(1, &listed, &fetched), S_OK);
  EXPECT_EQ(listed.cfFormat, fPlain);
  EXPECT_EQ(listed.tymed, TYMED_HGLOBAL | TYMED_ISTREAM);
  e->Release();
}

TEST_F(MediaTest, StreamOnGlobalMemoryGrowsAndSharesItsBlockWithClones)
{
  IStream* raw = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &raw), S_OK);
  InterfacePtr<IStream> stream = InterfacePtr<IStream>::Adopt(raw);
  ULONG written = 0;
  ASSERT_EQ(stream->Write("abcdef", 6, &written), S_OK);
  EXPECT_EQ(written, 6u);
  HGLOBAL block = nullptr;
  ASSERT_EQ(GetHGlobalFromStream(stream.Get(), &block), S_OK);
  EXPECT_EQ(BlockText(block), "abcdef");
  UInt64 at = 0;
  ASSERT_EQ(stream->Seek(-2, STREAM_SEEK_END, &at), S_OK);
  EXPECT_EQ(at, 4u);
  EXPECT_NE(stream->Seek(-1, STREAM_SEEK_SET, nullptr), S_OK);
  IStream* cloneRaw = nullptr;
  ASSERT_EQ(stream->Clone(&cloneRaw), S_OK);
  InterfacePtr<IStream> clone = InterfacePtr<IStream>::Adopt(cloneRaw);
  char two[3] = {};
  ULONG read = 0;
  ASSERT_EQ(clone->Read(two, 2, &read), S_OK);
  EXPECT_STREQ(two, "ef");
  EXPECT_EQ(clone->Read(two, 2, &read), S_FALSE);
  EXPECT_EQ(read, 0u);
  stream.Reset();
  EXPECT_EQ(BlockText(block), "abcdef") << "the clone keeps the block";
  clone.Reset();
  EXPECT_EQ(GlobalSize(block), 0u) << "freed with the last stream";

  InterfacePtr<IStream> adapter(new TStreamAdapter(nullptr));
  EXPECT_EQ(GetHGlobalFromStream(adapter.Get(), &block), E_INVALIDARG);
}

TEST_F(MediaTest, CreatingTheShellDragHelperAnswersClassNotRegistered)
{
  constexpr CLSID dragDropHelper = MakeGUID("{4657278A-411B-11D2-839A-00C04FD918D0}");
  constexpr IID dropTargetHelper = MakeGUID("{4657278B-411B-11D2-839A-00C04FD918D0}");
  void* object = &object;
  EXPECT_EQ(CoCreateInstance(dragDropHelper, nullptr, CLSCTX_INPROC_SERVER, dropTargetHelper, &object),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(object, nullptr);
  HRESULT uninitialised = S_OK;
  std::thread([&] {
    void* o = nullptr;
    uninitialised = CoCreateInstance(dragDropHelper, nullptr, CLSCTX_INPROC_SERVER, dropTargetHelper, &o);
  }).join();
  EXPECT_EQ(uninitialised, CO_E_NOTINITIALIZED);
}

}  // namespace
