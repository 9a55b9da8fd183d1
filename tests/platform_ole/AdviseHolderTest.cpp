// The advise holder data objects keep their sinks in.
#include "OleTestSupport.h"

namespace {

class TRecordingSink : public TInterfacedObject<IAdviseSink> {
public:
  std::vector<std::string> Heard;
  void OnDataChange(FORMATETC* format, STGMEDIUM* medium) override
  {
    Heard.push_back(std::to_string(format->cfFormat) + ":" + (medium ? BlockText(medium->hGlobal) : "-"));
  }
  void OnViewChange(DWORD, LONG) override {}
  void OnRename(IUnknown*) override {}
  void OnSave() override {}
  void OnClose() override {}
};

TEST(AdviseHolderTest, SinksHearChangesAsTheirFlagsSay)
{
  IDataAdviseHolder* raw = nullptr;
  ASSERT_EQ(CreateDataAdviseHolder(&raw), S_OK);
  InterfacePtr<IDataAdviseHolder> holder = InterfacePtr<IDataAdviseHolder>::Adopt(raw);
  InterfacePtr<TMemoryDataObject> data(new TMemoryDataObject);
  data->PutBytes(CF_TEXT, "v1");
  InterfacePtr<TRecordingSink> full(new TRecordingSink), bare(new TRecordingSink), once(new TRecordingSink);
  FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  DWORD cFull = 0, cBare = 0, cOnce = 0;
  ASSERT_EQ(holder->Advise(data.Get(), &text, ADVF_PRIMEFIRST, full.Get(), &cFull), S_OK);
  ASSERT_EQ(holder->Advise(data.Get(), &text, ADVF_NODATA, bare.Get(), &cBare), S_OK);
  ASSERT_EQ(holder->Advise(data.Get(), &text, ADVF_ONLYONCE, once.Get(), &cOnce), S_OK);
  EXPECT_EQ(full->Heard, (std::vector<std::string>{"1:v1"})) << "primed at once";

  IEnumSTATDATA* listRaw = nullptr;
  ASSERT_EQ(holder->EnumAdvise(&listRaw), S_OK);
  InterfacePtr<IEnumSTATDATA> list = InterfacePtr<IEnumSTATDATA>::Adopt(listRaw);
  STATDATA records[4];
  ULONG fetched = 0;
  EXPECT_EQ(list->Next(4, records, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 3u);
  EXPECT_EQ(records[1].dwConnection, cBare);
  for (ULONG i = 0; i < fetched; ++i)
    records[i].pAdvSink->Release();  // the receiver's references

  data->PutBytes(CF_TEXT, "v2");
  ASSERT_EQ(holder->SendOnDataChange(data.Get(), 0, 0), S_OK);
  ASSERT_EQ(holder->SendOnDataChange(data.Get(), 0, 0), S_OK);
  EXPECT_EQ(full->Heard, (std::vector<std::string>{"1:v1", "1:v2", "1:v2"}));
  EXPECT_EQ(bare->Heard, (std::vector<std::string>{"1:-", "1:-"}));
  EXPECT_EQ(once->Heard, (std::vector<std::string>{"1:v2"}));
  EXPECT_EQ(holder->Unadvise(cOnce), OLE_E_NOCONNECTION) << "gone after its one notice";
  EXPECT_EQ(holder->Unadvise(cBare), S_OK);
  list.Reset();
  holder.Reset();
  // Every reference the holder and the enumerator took is given back.
  EXPECT_EQ(full->RefCount(), 1);
  EXPECT_EQ(bare->RefCount(), 1);
  EXPECT_EQ(once->RefCount(), 1);
}

}  // namespace
