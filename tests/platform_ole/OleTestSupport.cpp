#include "OleTestSupport.h"

#include <cstring>

HGLOBAL BlockWith(const std::string& bytes)
{
  HGLOBAL block = GlobalAlloc(GHND, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

std::string BlockText(HGLOBAL block)
{
  const char* p = static_cast<const char*>(GlobalLock(block));
  if (!p)
    return "<no block>";
  std::string text(p, GlobalSize(block));
  GlobalUnlock(block);
  return text;
}

std::string StreamText(IStream* stream)
{
  std::string text;
  if (!stream || FAILED(stream->Seek(0, STREAM_SEEK_SET, nullptr)))
    return "<no stream>";
  char buffer[7];  // small on purpose: reads in several pieces
  ULONG read = 0;
  while (SUCCEEDED(stream->Read(buffer, sizeof(buffer), &read)) && read > 0)
    text.append(buffer, read);
  return text;
}

void TMemoryDataObject::PutBytes(CLIPFORMAT format, const std::string& bytes)
{
  FORMATETC f{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM m;
  m.tymed = TYMED_HGLOBAL;
  m.hGlobal = BlockWith(bytes);
  SetData(&f, &m, TRUE);
}

void TMemoryDataObject::PutStream(CLIPFORMAT format, const std::string& bytes)
{
  FORMATETC f{format, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
  STGMEDIUM m;
  m.tymed = TYMED_ISTREAM;
  CreateStreamOnHGlobal(BlockWith(bytes), TRUE, &m.pstm);
  SetData(&f, &m, TRUE);
}

HRESULT TMemoryDataObject::QueryGetData(FORMATETC* format)
{
  auto it = FMedia.find(format->cfFormat);
  if (it == FMedia.end())
    return DV_E_FORMATETC;
  return (format->tymed & it->second.first.tymed) ? S_OK : DV_E_TYMED;
}

HRESULT TMemoryDataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
  HRESULT hr = QueryGetData(format);
  if (hr != S_OK)
    return hr;
  const STGMEDIUM& stored = FMedia[format->cfFormat].second;
  if (stored.tymed == TYMED_GDI || stored.tymed == TYMED_ISTORAGE) {
    // Lent, not copied: the object stays the owner.
    *medium = stored;
    if (stored.tymed == TYMED_ISTORAGE)
      medium->pstg->AddRef();
    medium->pUnkForRelease = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  hr = CopyStgMedium(&stored, medium);
  if (SUCCEEDED(hr) && medium->tymed == TYMED_ISTREAM)
    medium->pstm->Seek(0, STREAM_SEEK_SET, nullptr);
  if (SUCCEEDED(hr) && medium->tymed == TYMED_FILE) {
    // The file stays the object's: the receiver frees only its copy of the name.
    medium->pUnkForRelease = static_cast<IDataObject*>(this);
    AddRef();
  }
  return hr;
}

HRESULT TMemoryDataObject::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release)
{
  if (!release)
    return E_NOTIMPL;
  auto it = FMedia.find(format->cfFormat);
  if (it != FMedia.end())
    ReleaseStgMedium(&it->second.second);
  FORMATETC f = *format;
  f.tymed = medium->tymed;
  FMedia[format->cfFormat] = {f, *medium};
  return S_OK;
}

HRESULT TMemoryDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator)
{
  if (direction != DATADIR_GET)
    return E_NOTIMPL;
  std::vector<FORMATETC> formats;
  for (auto& [format, entry] : FMedia)
    formats.push_back(entry.first);
  *enumerator = new TFormatEtcEnumerator(formats);
  (*enumerator)->AddRef();
  return S_OK;
}

void TOleFixture::SetUp()
{
  Display = THeadlessDisplay::Use();
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
}

void TOleFixture::TearDown()
{
  OleSetClipboard(nullptr);
  Display->SetIdleScript(nullptr);
  for (BYTE vk : {VK_SHIFT, VK_CONTROL, VK_MENU})
    if (GetAsyncKeyState(vk) < 0)
      Display->KeyUp(vk);
  if (GetAsyncKeyState(VK_LBUTTON) < 0)
    Display->Release();
  THeadlessDisplay::PumpMessages();
  OleUninitialize();
}
