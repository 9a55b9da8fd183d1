// A text tree whose nodes carry a number (their user data, saved with the
// node) and show the name of that number in two columns: the fixture of the
// clipboard, export and drag tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "controls/vtree/LazyStringTree.h"
#include "controls/vtree/LazyTreeColumns.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/base/Stream.h"

struct TNamedNodes {
  std::map<int, std::pair<std::u16string, std::u16string>> Cells;  // id -> (name, status)

  static int& Id(TBaseLazyTree* Tree, PLazyNode Node)
  {
    return *reinterpret_cast<int*>(Node->Data(Tree->UserDataOffset()));
  }
  void GetText(TBaseLazyTree* T, PLazyNode Node, TColumnIndex Column, TLSTTextType, WideString& Text)
  {
    auto it = Cells.find(Id(T, Node));
    if (it == Cells.end())
      return;
    Text = Column == 1 ? it->second.second : it->second.first;
  }
  void NewText(TBaseLazyTree* T, PLazyNode Node, TColumnIndex Column, WideString Text)
  {
    auto& cell = Cells[Id(T, Node)];
    (Column == 1 ? cell.second : cell.first) = Text;
  }
  void Save(TBaseLazyTree* T, PLazyNode Node, TStream* S) { S->WriteValue<std::int32_t>(Id(T, Node)); }
  void Load(TBaseLazyTree* T, PLazyNode Node, TStream* S) { Id(T, Node) = S->ReadValue<std::int32_t>(); }
  void Bind(TCustomLazyStringTree* Tree)
  {
    Tree->SetNodeDataSize(sizeof(int));
    Tree->OnGetText = TLSTGetTextEvent(this, &TNamedNodes::GetText);
    Tree->OnNewText = TLSTNewTextEvent(this, &TNamedNodes::NewText);
    Tree->OnSaveNode = TLTSaveNodeEvent(this, &TNamedNodes::Save);
    Tree->OnLoadNode = TLTSaveNodeEvent(this, &TNamedNodes::Load);
  }
  // Adds a child (or top-level node for nil) numbered Id.
  PLazyNode Add(TBaseLazyTree* Tree, PLazyNode Parent, int IdValue)
  {
    PLazyNode parent = Parent ? Parent : Tree->HiddenRoot();
    Tree->SetNodeChildCount(parent, parent->ChildCount + 1);
    PLazyNode n = parent->LastChildNode;
    Tree->InitializeNode(n);
    Id(Tree, n) = IdValue;
    return n;
  }
  // The ids of the tree in tree order, with the level as leading dots.
  static std::string Shape(TBaseLazyTree* Tree)
  {
    std::string s;
    for (PLazyNode n = Tree->FirstTopLevelNode(); n; n = Tree->NextNode(n))
      s += std::string(Tree->NodeLevel(n), '.') + std::to_string(Id(Tree, n)) + " ";
    return s;
  }
};

inline void AddColumns(TCustomLazyStringTree* Tree)
{
  TLazyTreeColumn* name = Tree->Header().Columns().Add();
  name->SetText(u"Nom");
  name->SetWidth(120);
  TLazyTreeColumn* status = Tree->Header().Columns().Add();
  status->SetText(u"Statut");
  status->SetWidth(80);
  Tree->Header().SetMainColumn(0);
}
