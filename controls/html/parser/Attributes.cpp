#include "controls/html/parser/Attributes.h"

#include "controls/html/styles/CssParser.h"
#include "controls/html/styles/Properties.h"
#include "platform/base/StringList.h"
#include "platform/base/StringRoutines.h"

TAttributeList::TAttributeList() = default;

TAttributeList::~TAttributeList()
{
  Clear();
}

void TAttributeList::Clear()
{
  FTheID.clear();
  FHaveID = false;
  TFreeList::Clear();
}

TAttribute* TAttributeList::Find(Symb Sy) const
{
  for (int I = 0; I < Count(); ++I)
    if (Items(I)->Which == Sy)
      return Items(I);
  return nullptr;
}

std::unique_ptr<TStringList> TAttributeList::CreateStringList() const
{
  auto Lines = std::make_unique<TStringList>();
  for (int I = 0; I < Count(); ++I)
    Lines->Add(Items(I)->WhichName + "=" + Items(I)->Name);
  return Lines;
}

std::string TAttributeList::TheClass() const
{
  const TAttribute* A = Find(ClassSy);
  return A ? LowerCase(A->Name) : std::string();
}

std::string TAttributeList::TheID()
{
  if (!FHaveID) {
    if (const TAttribute* A = Find(IDSy)) {
      FTheID = LowerCase(A->Name);
      FHaveID = true;
    }
  }
  return FTheID;
}

std::string TAttributeList::TheTitle() const
{
  const TAttribute* A = Find(TitleSy);
  return A ? A->Name : std::string();
}

TProperties* TAttributeList::TheStyle(const THtmlFontService& Fonts)
{
  const TAttribute* A = Find(StyleSy);
  if (!A)
    return nullptr;
  FStyle = std::make_unique<TProperties>(Fonts);
  ParseStyleAttribute(A->Name, *FStyle);
  return FStyle.get();
}
