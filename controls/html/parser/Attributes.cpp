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
  // The list keeps its capacity and the attributes wait in FSpare: the next
  // tag fills both again.
  for (int I = Count() - 1; I >= 0; --I) {
    FSpare.emplace_back(Items(I));
    Delete(I);
  }
}

TAttribute& TAttributeList::AddAttribute()
{
  std::unique_ptr<TAttribute> A;
  if (FSpare.empty()) {
    A = std::make_unique<TAttribute>(OtherAttribute, std::string(), 0, std::string());
  } else {
    A = std::move(FSpare.back());
    FSpare.pop_back();
  }
  Add(A.get());
  return *A.release();
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
