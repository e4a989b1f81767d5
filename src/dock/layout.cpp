#include "dock/layout.h"

#include "app/program_state.h"
#include "app/texts.h"
#include "base/ansi_text.h"
#include "dock/grid.h"
#include "platform/platform.h"

namespace tolvar {

int createAndPlaceButton(ProgramState& state, Platform& platform, int edge) {
  const GridMetrics grid = state.grid();
  const int n = static_cast<int>(state.buttons.size()) + 1;
  if (n > grid.capacity()) return -1;
  const WindowId button = platform.copyTemplateButton();
  // A failed copy adds nothing: the array keeps one entry per real button.
  if (button == 0) return -1;
  state.buttons.push_back(button);
  platform.setParent(button, state.barHandle);
  platform.setButtonTag(button, intToText(n));

  Rect bar = platform.windowRect(state.barHandle);
  const int lineLength = grid.lineLength(edge);
  if (lineLength > 0 && n % lineLength != 0) {
    const int thickness = barThickness(edge, grid, n);
    if (isHorizontalEdge(edge)) {
      bar.height = thickness;
    } else {
      bar.width = thickness;
    }
  }
  if (edge == edgeBottom) bar.top = state.screenHeight - bar.height;
  if (edge == edgeRight) bar.left = state.screenWidth - bar.width;
  platform.setWindowRect(state.barHandle, bar);

  platform.moveWindow(button, buttonOrigin(edge, grid, n));
  return n;
}

void relayoutAllButtons(ProgramState& state, Platform& platform, int edge) {
  const GridMetrics grid = state.grid();
  platform.setVisible(state.barHandle, false);

  RecordStore::Transaction renumbering(state.store);
  state.store.goToFirst();
  const int count = static_cast<int>(state.buttons.size());
  for (int i = 1; i <= count; ++i) {
    const WindowId button = state.buttons[static_cast<std::size_t>(i - 1)];
    // A button that would need a line beyond the grid keeps its place; create and place
    // never lets that happen.
    const Cell cell = cellOfIndex(edge, grid, i);
    const bool inGrid = isHorizontalEdge(edge) ? cell.row < grid.rows : cell.column < grid.columns;
    if (inGrid) platform.moveWindow(button, originOfCell(grid, cell));
    platform.setButtonTag(button, intToText(i));
    state.store.writeField(texts::fieldNumber, FieldValue::ofInteger(i));
    state.store.skipRecord();
  }
  renumbering.commit();

  platform.setWindowRect(state.barHandle, dockedBarRect(edge, grid, count));
  platform.setVisible(state.barHandle, true);
}

}  // namespace tolvar
