// The tree's own properties in form resources: its columns ("Columns",
// stored when they differ from the ancestor's) and the option set of old
// forms ("Options", read only).
#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/LazyTreeOptions.h"
#include "platform/base/Exception.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/components/Reader.h"
#include "platform/classes/components/Writer.h"

std::vector<std::string> ReadSetNames(TReader* Reader)
{
  if (Reader->ReadValue() != vaSet)
    throw EReadError(SInvalidPropertyValue);
  std::vector<std::string> names;
  for (std::string name = Reader->ReadStr(); !name.empty(); name = Reader->ReadStr())
    names.push_back(name);
  return names;
}

void TBaseLazyTree::DefineProperties(TFiler* Filer)
{
  TCustomControl::DefineProperties(Filer);
  auto* ancestor = dynamic_cast<TBaseLazyTree*>(Filer->Ancestor());
  bool columnsDiffer = !ancestor || !FHeader->Columns().Equals(ancestor->FHeader->Columns());
  Filer->DefineProperty("Columns", TReaderProc(this, &TBaseLazyTree::ReadColumnsProperty),
                        TWriterProc(this, &TBaseLazyTree::WriteColumnsProperty), columnsDiffer);
  Filer->DefineProperty("Options", TReaderProc(this, &TBaseLazyTree::ReadOldOptionsProperty), TWriterProc(), false);
}

void TBaseLazyTree::ReadColumnsProperty(TReader* Reader)
{
  FHeader->ReadColumnsProperty(Reader);
}

void TBaseLazyTree::WriteColumnsProperty(TWriter* Writer)
{
  FHeader->Columns().WriteFormProperty(Writer);
}

void TBaseLazyTree::ReadOldOptionsProperty(TReader* Reader)
{
  FOptions->ReadLegacyOptions(ReadSetNames(Reader));
}
