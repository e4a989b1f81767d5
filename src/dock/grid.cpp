#include "dock/grid.h"

namespace tolvar {

namespace {

// Truncation toward zero of a double, the only conversion to pixels the grid uses.
int truncate(double value) { return static_cast<int>(value); }

// A screen too small for one cell has no grid; its cell size reads as 0 so that the
// one-line bar thickness (which multiplies the cell size by 0) stays finite.
double cellWidth(const GridMetrics& m) {
  return m.columns > 0 ? double(m.screenWidth) / double(m.columns) : 0.0;
}
double cellHeight(const GridMetrics& m) {
  return m.rows > 0 ? double(m.screenHeight) / double(m.rows) : 0.0;
}

}  // namespace

GridCapacity computeGridCapacity(int screenWidth, int screenHeight, int templateWidth,
                                 int templateHeight, int gridMargin) {
  const double cellW = double(templateWidth) + double(gridMargin);
  const double cellH = double(templateHeight) + double(gridMargin);
  GridCapacity capacity;
  if (cellW > 0) capacity.columns = truncate(double(screenWidth) / cellW);
  if (cellH > 0) capacity.rows = truncate(double(screenHeight) / cellH);
  return capacity;
}

Cell cellOfIndex(int edge, const GridMetrics& m, int index) {
  const int i = index - 1;
  if (isHorizontalEdge(edge)) {
    if (m.columns <= 0) return {};
    return {i % m.columns, i / m.columns};
  }
  if (m.rows <= 0) return {};
  return {i / m.rows, i % m.rows};
}

Point originOfCell(const GridMetrics& m, Cell cell) {
  const double cw = cellWidth(m);
  const double ch = cellHeight(m);
  const double offsetX = (cw - double(m.templateWidth)) / 2.0;
  const double offsetY = (ch - double(m.templateHeight)) / 2.0;
  const double left = (cw * double(cell.column)) + offsetX;
  const double top = (ch * double(cell.row)) + offsetY;
  return {truncate(left), truncate(top)};
}

Point buttonOrigin(int edge, const GridMetrics& m, int index) {
  return originOfCell(m, cellOfIndex(edge, m, index));
}

int linesInUse(int edge, const GridMetrics& m, int count) {
  const int length = m.lineLength(edge);
  if (length <= 0 || count <= 0) return 1;
  int lines = (count + length - 1) / length;
  // No more lines than the grid has: a new line opens only while there is room for it.
  const int gridLines = isHorizontalEdge(edge) ? m.rows : m.columns;
  if (lines > gridLines) lines = gridLines;
  return lines < 1 ? 1 : lines;
}

int thicknessForLines(int edge, const GridMetrics& m, int lines) {
  const double margins = double(m.margin) * 2.0;
  if (isHorizontalEdge(edge)) {
    return truncate(((cellHeight(m) * double(lines - 1)) + double(m.templateHeight)) + margins);
  }
  return truncate(((cellWidth(m) * double(lines - 1)) + double(m.templateWidth)) + margins);
}

int barThickness(int edge, const GridMetrics& m, int count) {
  return thicknessForLines(edge, m, linesInUse(edge, m, count));
}

Rect dockedBarRect(int edge, const GridMetrics& m, int count) {
  const int t = barThickness(edge, m, count);
  switch (edge) {
    case edgeTop: return {0, 0, m.screenWidth, t};
    case edgeBottom: return {0, m.screenHeight - t, m.screenWidth, t};
    case edgeRight: return {m.screenWidth - t, 0, t, m.screenHeight};
    default: return {0, 0, t, m.screenHeight};
  }
}

}  // namespace tolvar
