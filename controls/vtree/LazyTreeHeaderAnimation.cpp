// The header's animated changes of column widths: a column edge sliding to
// its new place (the strips right of it scrolled along step by step), the
// auto-fit of every column to its content and the way back to the last widths.
#include <algorithm>
#include <vector>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/win/win.h"

namespace {

constexpr int kResizeSteps = 32;

}  // namespace

void TLTHeader::ColumnAnimateResize(TColumnIndex Column, int OldWidth, int NewWidth)
{
  if (!FTree || !FTree->HandleAllocated() || !FColumns.IsValidColumn(Column))
    return;
  HWND window = FTree->Handle();
  HDC dc = GetWindowDC(window);
  if (!dc)
    return;
  // Window coordinates: the client area starts below the header band.
  TRect windowRect, client;
  GetWindowRect(window, &windowRect);
  ::GetClientRect(window, &client);
  TPoint origin(0, 0);
  ClientToScreen(window, &origin);
  const int clientLeft = origin.x - windowRect.Left, clientTop = origin.y - windowRect.Top;
  const int headerTop = FOptions.Contains(hoVisible) ? clientTop - FHeight : clientTop;
  const int clientRight = clientLeft + client.Width(), clientBottom = clientTop + client.Height();
  const int step = (NewWidth - OldWidth) / kResizeSteps;
  int edge = clientLeft + FTree->OffsetX() + FColumns.Item(Column)->Left() + OldWidth;

  if (step > 0) {
    // The band uncovered by the first step shows the tree's colour.
    TRect uncovered(edge, clientTop, std::min(edge + step, clientRight), clientBottom);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(FTree->Color()));
    FillRect(dc, &uncovered, brush);
    DeleteObject(brush);
  }
  for (int i = 0; i < kResizeSteps; ++i) {
    const int left = step < 0 ? edge + step : edge;
    if (left < clientRight && step != 0) {
      TRect headerStrip(left, headerTop, clientRight, clientTop);
      TRect clientStrip(left, clientTop, clientRight, clientBottom);
      if (!headerStrip.IsEmpty())
        ScrollDC(dc, step, 0, &headerStrip, &headerStrip, nullptr, nullptr);
      ScrollDC(dc, step, 0, &clientStrip, &clientStrip, nullptr, nullptr);
    }
    edge += step;
    Sleep(1);
  }
  ReleaseDC(window, dc);
}

void TLTHeader::AutoFitColumns(bool Animated)
{
  if (!FTree)
    return;
  // The order as it stands now: an owner may move columns from the resize
  // event, which must neither skip a column nor fit one twice.
  const std::vector<TColumnIndex> positions = FColumns.PositionArray();
  for (TColumnIndex index : positions) {
    if (!FColumns.IsValidColumn(index))
      continue;
    TLazyTreeColumn* column = FColumns.Item(index);
    const TLTColumnOptions options = column->Options();
    if (!options.Contains(coResizable) || !options.Contains(coVisible))
      continue;
    int widest = FTree->ColumnContentWidth(index);
    if (Animated)
      FColumns.AnimatedResize(index, widest);
    else
      column->SetWidth(widest);
  }
}

void TLTHeader::RestoreColumns()
{
  const std::vector<TColumnIndex> positions = FColumns.PositionArray();
  for (auto it = positions.rbegin(); it != positions.rend(); ++it) {
    if (!FColumns.IsValidColumn(*it))
      continue;
    TLazyTreeColumn* column = FColumns.Item(*it);
    const TLTColumnOptions options = column->Options();
    if (options.Contains(coResizable) && options.Contains(coVisible))
      column->RestoreLastWidth();
  }
}
