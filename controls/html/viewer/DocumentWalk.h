// Walks over the flow of a document for the viewer: the innermost object
// holding a position, the text of every position, and the tops of the
// objects that positions are kept relative to.
#pragma once

#include <string>
#include <vector>

class TCellBasic;
class TSectionBase;
class TSectionList;

// The innermost object of the flow that holds document position Pos.
const TSectionBase* LeafAt(const TCellBasic& Cell, int Pos);
// Every character of the flow at its document position (0 where no text
// section holds one).
void CollectText(const TCellBasic& Cell, std::u16string& Out);
// The objects of the body's flow, their tops in vertical order: the anchors
// that scroll positions are kept relative to.
std::vector<int> FlowTops(TSectionList& Doc);
