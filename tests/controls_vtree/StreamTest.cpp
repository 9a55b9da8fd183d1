#include <cstring>

#include "TreeTestSupport.h"

#include "controls/vtree/LazyTreeErrors.h"
#include "platform/base/MemoryStream.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

TBytes Bytes(TMemoryStream& S)
{
  auto* p = static_cast<const std::uint8_t*>(S.Memory());
  return TBytes(p, p + S.Size());
}

void Load(TMemoryStream& S, const TBytes& B)
{
  S.SetSize(0);
  S.WriteBuffer(B.data(), Integer(B.size()));
  S.Seek(std::int64_t(0), soBeginning);
}

void Put32(TBytes& B, std::int32_t V)
{
  for (int i = 0; i < 4; ++i)
    B.push_back(std::uint8_t(V >> (8 * i)));
}

// The 12-byte header with a version and, from version 2, a count.
TBytes Header(int Version, std::int32_t Count = 1)
{
  TBytes b = {0x45, 0x20, 'V', 0, 'T', 0, std::uint8_t(Version), 0, 0x20, 0, 0x46, 0x20};
  if (Version >= 2)
    Put32(b, Count);
  return b;
}

// One node chunk: base chunk with a 17-byte body and no children.
TBytes Node(std::uint16_t States = 0x81, std::uint32_t Height = 18, std::uint32_t Children = 0)
{
  TBytes b;
  Put32(b, 1);
  Put32(b, 25);
  Put32(b, 2);
  Put32(b, 17);
  Put32(b, std::int32_t(Children));
  Put32(b, std::int32_t(Height));
  b.push_back(std::uint8_t(States));
  b.push_back(std::uint8_t(States >> 8));
  b.insert(b.end(), {50, 0, 0, 0, 0, 0, 0});
  return b;
}

// A tree whose nodes carry a caption chunk ("Node"), as the text tree writes it.
class TCaptionTree : public TBaseLazyTree {
public:
  using TBaseLazyTree::TBaseLazyTree;
  void WriteNodeCaption(TStream* Stream, PLazyNode Node) override
  {
    if (Node == HiddenRoot() || !Node->Has(nfInitialized))
      return;
    const char16_t text[] = u"Node";
    std::int32_t header[2] = {3, 8};
    Stream->WriteBuffer(header, 8);
    Stream->WriteBuffer(text, 8);
  }
};

class StreamTest : public TreeFixture {
protected:
  int ErrorOf(const TBytes& B)
  {
    TMemoryStream s;
    Load(s, B);
    try {
      Tree->ReadTreeStream(&s);
    } catch (const ELazyTreeError& e) {
      return e.HelpContext();
    } catch (const EReadError&) {
      return -1;
    }
    return 0;
  }
};

}  // namespace

TEST_F(StreamTest, OneNodeIsFortyNineBytes)
{
  Tree->SetNodeChildCount(nullptr, 1);
  TMemoryStream s;
  Tree->WriteTreeStream(&s);
  TBytes expected = Header(2);
  TBytes node = Node();
  expected.insert(expected.end(), node.begin(), node.end());
  ASSERT_EQ(expected.size(), 49u);
  EXPECT_EQ(Bytes(s), expected);
}

TEST_F(StreamTest, WithACaptionItIsSixtyFiveBytes)
{
  TCaptionTree tree(nullptr);
  tree.SetNodeChildCount(nullptr, 1);
  TMemoryStream s;
  tree.WriteTreeStream(&s);
  TBytes b = Bytes(s);
  ASSERT_EQ(b.size(), 65u);
  std::int32_t nodeSize;
  std::memcpy(&nodeSize, b.data() + 20, 4);
  EXPECT_EQ(nodeSize, 41);
  EXPECT_EQ(TBytes(b.begin() + 49, b.begin() + 57), (TBytes{3, 0, 0, 0, 8, 0, 0, 0}));
}

TEST_F(StreamTest, ATreeComesBackWithItsShapeStatesAndOwnerData)
{
  struct TOwnerData {
    std::vector<std::string> Loaded;
    void Save(TBaseLazyTree*, PLazyNode Node, TStream* S)
    {
      std::string name = TTreeOwner::Name(Node);
      S->WriteBuffer(name.data(), Integer(name.size()));
    }
    // Reads one byte too few for long names, too many for short ones: the
    // reader puts the stream at the chunk's end either way.
    void Load(TBaseLazyTree*, PLazyNode, TStream* S)
    {
      char buffer[3] = {};
      S->Read(buffer, 3);
      Loaded.push_back(std::string(buffer, 3));
    }
  } data;
  Tree->SetNodeChildCount(nullptr, 3);
  Tree->SetNodeChildCount(At("1"), 2);
  Tree->SetNodeChildCount(At("1.1"), 2);
  Tree->SetExpanded(At("1"), true);
  Tree->SetNodeHeight(At("1.0"), 30);
  At("2")->CheckKind = ctCheckBox;
  At("2")->NodeCheckState = csCheckedNormal;
  Tree->OnSaveNode = TLTSaveNodeEvent(&data, &TOwnerData::Save);
  TMemoryStream s;
  Tree->WriteTreeStream(&s);
  TBytes saved = Bytes(s);

  TBaseLazyTree* copy = NewTree();
  copy->OnLoadNode = TLTSaveNodeEvent(&data, &TOwnerData::Load);
  s.Seek(std::int64_t(0), soBeginning);
  copy->ReadTreeStream(&s);
  EXPECT_EQ(copy->HiddenRoot()->SubtreeCount, 8u);
  EXPECT_EQ(copy->VisibleNodeCount(), 5u);
  EXPECT_EQ(At("1.0", copy)->NodeHeight, 30);
  EXPECT_TRUE(At("1", copy)->Has(nfExpanded));
  EXPECT_EQ(At("2", copy)->NodeCheckState, csCheckedNormal);
  EXPECT_EQ(copy->RangeY(), Tree->RangeY());
  EXPECT_EQ(data.Loaded.size(), 7u);
  TMemoryStream again;
  copy->OnSaveNode = TLTSaveNodeEvent(&data, &TOwnerData::Save);
  copy->WriteTreeStream(&again);
  EXPECT_EQ(Bytes(again), saved);
}

TEST_F(StreamTest, FormatErrorsRaiseTheirHelpContexts)
{
  TBytes v2 = Header(2);
  TBytes wrongMagic = v2;
  wrongMagic[0] = 0x46;
  TBytes version3 = Header(3);
  TBytes notANode = Header(2);
  TBytes node = Node();
  node[0] = 2;
  notANode.insert(notANode.end(), node.begin(), node.end());
  TBytes trailing = Header(2);
  TBytes longer = Node();
  longer[4] = 27;  // the node chunk claims two bytes more than its sub-chunks
  longer.insert(longer.end(), {0, 0});
  trailing.insert(trailing.end(), longer.begin(), longer.end());
  struct TCase {
    const char* Name;
    TBytes Data;
    int Error;
  } cases[] = {
      {"eleven bytes", TBytes(v2.begin(), v2.begin() + 11), hcTFStreamTooSmall},
      {"wrong first unit", wrongMagic, hcTFWrongStreamFormat},
      {"version 3", version3, hcTFWrongStreamVersion},
      {"node chunk of type 2", notANode, hcTFCorruptStream1},
      {"data after the node's end", trailing, hcTFCorruptStream2},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(ErrorOf(c.Data), c.Error) << c.Name;
}

TEST_F(StreamTest, VersionOneHasNoCountAndItsStatesByteMarksSelection)
{
  Tree->TreeOptions()->SetSelectionOptions({toMultiSelect});
  TBytes b = Header(1);
  for (std::uint8_t states : {0x80, 0x01}) {
    Put32(b, 1);
    Put32(b, 20);
    Put32(b, 2);
    Put32(b, 12);
    Put32(b, 0);
    Put32(b, 18);
    b.insert(b.end(), {states, 50, 0, 0});
  }
  EXPECT_EQ(ErrorOf(b), 0);
  ASSERT_EQ(Tree->RootNodeCount(), 2u);
  EXPECT_EQ(At("0")->StateBits, nfVisible | nfSelected);
  EXPECT_EQ(At("1")->StateBits, nfVisible | nfInitialized);
  EXPECT_EQ(Tree->SelectedCount(), 1u);
}

TEST_F(StreamTest, AnyFifthUnitAndUnknownSubChunksAreAccepted)
{
  TBytes b = Header(2);
  b[8] = 'x';
  TBytes node = Node();
  node[4] = 25 + 12;  // an unknown sub-chunk of 4 bytes follows the base chunk
  node.insert(node.end(), {9, 0, 0, 0, 4, 0, 0, 0, 1, 2, 3, 4});
  b.insert(b.end(), node.begin(), node.end());
  EXPECT_EQ(ErrorOf(b), 0);
  EXPECT_EQ(Tree->RootNodeCount(), 1u);
}

TEST_F(StreamTest, HostileSizesCountsAndHeightsEndInAnError)
{
  auto with = [](TBytes node) {
    TBytes b = Header(2);
    b.insert(b.end(), node.begin(), node.end());
    return b;
  };
  TBytes negative = Node();
  negative[4] = 25 + 8;
  negative.insert(negative.end(), {9, 0, 0, 0, 0xF8, 0xFF, 0xFF, 0xFF});  // size -8
  TBytes hugeCaption = Node();
  hugeCaption[4] = 25 + 8;
  hugeCaption.insert(hugeCaption.end(), {3, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0x7F});
  TBytes shortBase = Node();
  shortBase[12] = 10;  // a base chunk smaller than its body
  TBytes manyChildren = Node(0x81, 18, 0xFFFFFFFF);
  manyChildren.insert(manyChildren.end(), 11, 0);
  TBytes tall = Node(0x81, 70000);
  for (const TBytes& node : {negative, hugeCaption, shortBase, manyChildren, tall})
    EXPECT_EQ(ErrorOf(with(node)), hcTFCorruptStream2);
}

TEST_F(StreamTest, AReadOnlyTreeReadsNothing)
{
  Tree->SetNodeChildCount(nullptr, 2);
  Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() + toReadOnly);
  TBytes b = Header(2);
  TBytes node = Node();
  b.insert(b.end(), node.begin(), node.end());
  EXPECT_EQ(ErrorOf(b), 0);
  EXPECT_EQ(Tree->RootNodeCount(), 2u);
}
