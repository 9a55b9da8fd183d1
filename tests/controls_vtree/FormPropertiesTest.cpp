// The trees' own values in form resources: the columns, the default text,
// and the option sets of old forms that are read but never written again.
#include "TreeTestSupport.h"

#include "controls/vtree/LazyDrawTree.h"
#include "controls/vtree/LazyStringTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/base/Exception.h"
#include "platform/base/MemoryStream.h"
#include "platform/classes/components/Reader.h"
#include "platform/classes/components/Writer.h"

namespace {

class FormPropertiesTest : public TreeFixture {
protected:
  // The tree's defined properties, as a form writer stores them.
  static void Store(TPersistent* Tree, TMemoryStream& Into)
  {
    TWriter writer(&Into);
    writer.WriteProperties(Tree);
    Into.SetPosition(0);
  }
  // Read as a form reader does: loading, the properties, then Loaded.
  static void Load(TComponent* Tree, TMemoryStream& From)
  {
    TReader reader(&From);
    Tree->Loading();
    reader.ReadProperties(Tree);
    Tree->Loaded();
  }
  static std::vector<std::string> StoredNames(TMemoryStream& Stream)
  {
    std::vector<std::string> names;
    TReader reader(&Stream);
    while (!reader.EndOfList()) {
      names.push_back(reader.ReadStr());
      reader.SkipValue();
    }
    Stream.SetPosition(0);
    return names;
  }
};

}  // namespace

TEST_F(FormPropertiesTest, ColumnsAndTheDefaultTextComeBackAsTheyWere)
{
  TLazyStringTree source(nullptr);
  TLazyTreeColumns& columns = source.Header().Columns();
  columns.Add()->SetText(u"Nom");
  columns.Add()->SetText(u"Statut \u00e9tendu");
  columns.Item(0)->SetHint(u"Le nom du contact");
  columns.Item(1)->SetWidth(120);
  columns.Item(1)->SetAlignment(taRightJustify);
  columns.Item(1)->SetOptions(columns.Item(1)->Options() - coDraggable);
  columns.Item(1)->SetPosition(0);
  source.Header().SetMainColumn(1);
  source.SetDefaultText(u"Contact");
  TMemoryStream stored;
  Store(&source, stored);
  EXPECT_EQ(StoredNames(stored), (std::vector<std::string>{"Columns", "WideDefaultText"}));

  TLazyStringTree copy(nullptr);
  TReader reader(&stored);
  copy.Loading();
  copy.Header().SetMainColumn(5);  // kept as it stands while loading, brought into range by Loaded
  reader.ReadProperties(&copy);
  copy.Loaded();
  ASSERT_EQ(copy.Header().Columns().Count(), 2);
  EXPECT_TRUE(copy.Header().Columns().Equals(columns));
  EXPECT_EQ(copy.Header().Columns().Item(1)->Position(), 0u);
  EXPECT_EQ(copy.Header().Columns().Item(0)->Hint(), u"Le nom du contact");
  EXPECT_EQ(copy.DefaultText(), u"Contact");
  EXPECT_EQ(copy.MainColumn(), 1);

  // Nothing of a default tree is stored.
  TLazyStringTree plain(nullptr);
  TMemoryStream empty;
  Store(&plain, empty);
  EXPECT_EQ(StoredNames(empty), std::vector<std::string>{"Columns"}) << "columns are stored without an ancestor";
}

// Old forms hold "Options" (vo names) and "StringOptions" on the tree, and an
// 8-bit "WideDefaultText": read, converted, and never written again.
TEST_F(FormPropertiesTest, OldFormsAreReadAndNotWrittenBack)
{
  TMemoryStream old;
  {
    TWriter writer(&old);
    writer.WriteStr("Options");
    writer.WriteValue(vaSet);
    for (const char* name : {"voMultiSelect", "voShowRoot", ""})
      writer.WriteStr(name);
    writer.WriteStr("StringOptions");
    writer.WriteValue(vaSet);
    for (const char* name : {"toShowStaticText", "toSomethingElse", ""})
      writer.WriteStr(name);
    writer.WriteStr("WideDefaultText");
    writer.WriteString("Caf\xc3\xa9");
    writer.WriteListEnd();
  }
  old.SetPosition(0);
  TLazyStringTree tree(nullptr);
  Load(&tree, old);
  EXPECT_EQ(tree.TreeOptions()->SelectionOptions(), TLTSelectionOptions{toMultiSelect});
  EXPECT_EQ(tree.TreeOptions()->PaintOptions(), TLTPaintOptions{toShowRoot});
  EXPECT_TRUE(tree.TreeOptions()->MiscOptions().Empty());
  EXPECT_EQ(tree.StringOptions(), TLTStringOptions{toShowStaticText});
  EXPECT_EQ(tree.DefaultText(), u"Caf\u00e9");
  TMemoryStream again;
  Store(&tree, again);
  EXPECT_EQ(StoredNames(again), (std::vector<std::string>{"Columns", "WideDefaultText"}));
}

TEST_F(FormPropertiesTest, BrokenColumnValuesFailWithAReadError)
{
  struct TCase {
    const char* Name;
    std::function<void(TWriter&)> Value;
  } cases[] = {
      {"not a collection", [](TWriter& w) { w.WriteInteger(3); }},
      {"unknown property", [](TWriter& w) {
         w.WriteValue(vaCollection);
         w.WriteListBegin();
         w.WriteStr("Colour");
         w.WriteInteger(1);
         w.WriteListEnd();
         w.WriteListEnd();
       }},
      {"unknown option", [](TWriter& w) {
         w.WriteValue(vaCollection);
         w.WriteListBegin();
         w.WriteStr("Options");
         w.WriteValue(vaSet);
         w.WriteStr("coFlying");
         w.WriteStr("");
         w.WriteListEnd();
         w.WriteListEnd();
       }},
      {"cut short", [](TWriter& w) {
         w.WriteValue(vaCollection);
         w.WriteListBegin();
         w.WriteStr("Width");
       }},
  };
  for (const TCase& c : cases) {
    TMemoryStream stream;
    {
      TWriter writer(&stream);
      writer.WriteStr("Columns");
      c.Value(writer);
    }
    stream.SetPosition(0);
    TLazyStringTree tree(nullptr);
    TReader reader(&stream);
    tree.Loading();
    EXPECT_THROW(reader.ReadProperties(&tree), EReadError) << c.Name;
    tree.Loaded();
  }
}

// Positions that do not order every column leave them in index order.
TEST_F(FormPropertiesTest, ClashingStoredPositionsKeepTheIndexOrder)
{
  TMemoryStream stream;
  {
    TWriter writer(&stream);
    writer.WriteStr("Columns");
    writer.WriteValue(vaCollection);
    for (int i = 0; i < 3; ++i) {
      writer.WriteListBegin();
      writer.WriteStr("Position");
      writer.WriteInteger(i == 2 ? 0 : i);
      writer.WriteListEnd();
    }
    writer.WriteListEnd();
    writer.WriteListEnd();
  }
  stream.SetPosition(0);
  TLazyStringTree tree(nullptr);
  Load(&tree, stream);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(tree.Header().Columns().Item(i)->Position(), unsigned(i));
}

// The published text tree shows its options as TStringTreeOptions; copying
// options between text trees carries the string options.
TEST_F(FormPropertiesTest, TextTreesHoldTheirStringOptionsInTheirOptionObject)
{
  TLazyStringTree published(nullptr);
  TCustomLazyStringTree custom(nullptr);
  EXPECT_NE(dynamic_cast<TStringTreeOptions*>(published.TreeOptions()), nullptr);
  EXPECT_EQ(dynamic_cast<TStringTreeOptions*>(custom.TreeOptions()), nullptr);
  EXPECT_EQ(published.StringOptions(), (TLTStringOptions{toSaveCaptions, toAutoAcceptEditChange}));
  published.SetStringOptions({toShowStaticText});
  published.TreeOptions()->SetMiscOptions({toEditable});
  custom.TreeOptions()->Assign(*published.TreeOptions());
  EXPECT_EQ(custom.StringOptions(), TLTStringOptions{toShowStaticText});
  EXPECT_EQ(custom.TreeOptions()->MiscOptions(), TLTMiscOptions{toEditable});
}
