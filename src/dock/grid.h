// The grid the game buttons stand on, and the size and place of the docked bar.
// Every value is computed in double precision, one operation at a time in the order
// written, and truncated toward zero; the order is part of the result (see grid.cpp).
#pragma once

#include "base/geometry.h"

namespace tolvar {

// DockEdge: 1 top, 2 right, 3 bottom, 4 left. 1 and 3 are horizontal; every other value
// is treated as vertical, and as 4 where the four edges are told apart.
enum : int { edgeTop = 1, edgeRight = 2, edgeBottom = 3, edgeLeft = 4 };
constexpr bool isHorizontalEdge(int edge) { return edge == edgeTop || edge == edgeBottom; }

struct GridCapacity {
  int columns = 0;
  int rows = 0;
};

// gridColumns = W / (bw + margin), gridRows = H / (bh + margin), sum first, truncated.
GridCapacity computeGridCapacity(int screenWidth, int screenHeight, int templateWidth,
                                 int templateHeight, int gridMargin);

// Everything the grid formulas read; fixed for the life of the process.
struct GridMetrics {
  int screenWidth = 0;
  int screenHeight = 0;
  int templateWidth = 50;
  int templateHeight = 65;
  int margin = 10;
  int columns = 0;
  int rows = 0;

  int capacity() const { return columns * rows; }
  // Cells in one line: a row on a horizontal edge, a column on a vertical one.
  int lineLength(int edge) const { return isHorizontalEdge(edge) ? columns : rows; }
};

struct Cell {
  int column = 0;
  int row = 0;
};

// 0-based cell of the button with 1-based index i.
Cell cellOfIndex(int edge, const GridMetrics& m, int index);
// Button origin relative to the bar for a cell, and for a 1-based index.
Point originOfCell(const GridMetrics& m, Cell cell);
Point buttonOrigin(int edge, const GridMetrics& m, int index);
// Lines in use for count buttons: max(1, ceil(count / line length)).
int linesInUse(int edge, const GridMetrics& m, int count);
// Bar thickness for a number of lines in use / for count buttons.
int thicknessForLines(int edge, const GridMetrics& m, int lines);
int barThickness(int edge, const GridMetrics& m, int count);
// Docked bar rectangle for count buttons.
Rect dockedBarRect(int edge, const GridMetrics& m, int count);

}  // namespace tolvar
