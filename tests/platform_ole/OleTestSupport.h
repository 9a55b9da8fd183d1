// Objects the OLE tests hand to the layer: a data object that keeps what is
// set on it, a counted object to watch releases, and a fixture that readies
// OLE on the headless display.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

// Counts its references; Alive tells whether it still exists.
class TCounted : public TInterfacedObject<IStorage> {
public:
  explicit TCounted(bool* alive) : FAlive(alive) { *FAlive = true; }
  ~TCounted() override { *FAlive = false; }

private:
  bool* FAlive;
};

// A data object that owns one medium per format (given by SetData with
// release) and hands out copies (streams: new references, rewound).
class TMemoryDataObject : public TInterfacedObject<IDataObject> {
public:
  explicit TMemoryDataObject(bool* alive = nullptr) : FAlive(alive)
  {
    if (FAlive)
      *FAlive = true;
  }
  ~TMemoryDataObject() override
  {
    for (auto& [format, medium] : FMedia)
      ReleaseStgMedium(&medium.second);
    if (FAlive)
      *FAlive = false;
  }
  // Stores a block with the bytes under the format (TYMED_HGLOBAL).
  void PutBytes(CLIPFORMAT format, const std::string& bytes);
  // Stores a stream holding the bytes under the format (TYMED_ISTREAM only).
  void PutStream(CLIPFORMAT format, const std::string& bytes);

  HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT QueryGetData(FORMATETC* format) override;
  HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
  HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
  bool* FAlive;
  std::map<CLIPFORMAT, std::pair<FORMATETC, STGMEDIUM>> FMedia;
};

// The bytes of a block or of a stream from its start.
std::string BlockText(HGLOBAL block);
std::string StreamText(IStream* stream);
HGLOBAL BlockWith(const std::string& bytes);

class TOleFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  THeadlessDisplay* Display = nullptr;
};
