// IndentManager: the floating left and right indents (floated images and
// blocks) that narrow the lines of a cell while its sections are laid out.
// Each record covers a vertical range; a record made while a block lays out
// its content belongs to that block and narrows only that block's content.
#pragma once

#include <vector>

class TObject;

struct IndentRec {
  int X = 0;       // the indent's edge, relative to the manager's left edge
  int Top = 0;
  int Bottom = 0;  // OpenBottom while the float's height is not known yet
  const TObject* Owner = nullptr;
};

class IndentManager {
public:
  static constexpr int OpenBottom = 9999999;

  void Clear();
  void Reset(int LeftEdge, int RightEdge);
  int LeftEdge() const { return FLeftEdge; }
  int RightEdge() const { return FRightEdge; }
  void SetRightEdge(int Value) { FRightEdge = Value; }

  // The object whose content is being laid out: records of other owners do
  // not narrow its lines.
  const TObject* CurrentOwner = nullptr;

  // The absolute x of the left indent and of the right side at Y.
  int LeftIndent(int Y) const;
  int RightSide(int Y) const;
  // The lowest bottom of the floats that no block owns (0 when none).
  int FloatsBottom() const;
  // One more than the lowest bottom of the unowned left and right records.
  void ClearPositions(int& Left, int& Right) const;
  // The nearest bottom below Y of an unowned record; Y when there is none.
  int NextWiderY(int Y) const;

  // New records from Top down, open at the bottom; X is absolute. The result
  // indexes the record for SetBottom and Delete.
  int AddLeft(int X, int Top);
  int AddRight(int X, int Top);
  void SetLeftBottom(int Index, int Bottom) { FLeft[std::size_t(Index)].Bottom = Bottom; }
  void SetRightBottom(int Index, int Bottom) { FRight[std::size_t(Index)].Bottom = Bottom; }
  void DeleteLeft(int Index);
  void DeleteRight(int Index);
  int LeftCount() const { return int(FLeft.size()); }
  int RightCount() const { return int(FRight.size()); }

private:
  bool Applies(const IndentRec& R, int Y) const;
  std::vector<IndentRec> FLeft, FRight;
  int FLeftEdge = 0;
  int FRightEdge = 0;
};
