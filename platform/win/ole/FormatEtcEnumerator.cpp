#include <algorithm>

#include "platform/win/ole/DataObject.h"

TFormatEtcEnumerator::TFormatEtcEnumerator(std::vector<FORMATETC> formats, std::size_t index)
    : FFormats(std::move(formats)), FIndex(std::min(index, FFormats.size()))
{
}

HRESULT TFormatEtcEnumerator::Next(ULONG count, FORMATETC* records, ULONG* fetched)
{
  if (fetched)
    *fetched = 0;
  if (!records || (!fetched && count != 1))
    return E_POINTER;
  ULONG delivered = 0;
  while (delivered < count && FIndex < FFormats.size())
    records[delivered++] = FFormats[FIndex++];
  if (fetched)
    *fetched = delivered;
  return delivered == count ? S_OK : S_FALSE;
}

HRESULT TFormatEtcEnumerator::Skip(ULONG count)
{
  std::size_t remaining = FFormats.size() - FIndex;
  if (count > remaining) {
    FIndex = FFormats.size();
    return S_FALSE;
  }
  FIndex += count;
  return S_OK;
}

HRESULT TFormatEtcEnumerator::Reset()
{
  FIndex = 0;
  return S_OK;
}

HRESULT TFormatEtcEnumerator::Clone(IEnumFORMATETC** clone)
{
  if (!clone)
    return E_POINTER;
  auto* copy = new TFormatEtcEnumerator(FFormats, FIndex);
  copy->AddRef();
  *clone = copy;
  return S_OK;
}
