#include "dock/grid.h"

#include <gtest/gtest.h>

namespace tolvar {
namespace {

GridMetrics metricsFor(int w, int h) {
  const GridCapacity c = computeGridCapacity(w, h, 50, 65, 10);
  return {w, h, 50, 65, 10, c.columns, c.rows};
}

TEST(GridCapacity, DocumentScreens) {
  struct Case {
    int w, h, columns, rows;
  };
  const Case cases[] = {
      {1920, 1080, 32, 14}, {1366, 768, 22, 10}, {800, 600, 13, 8},
      {1024, 768, 17, 10},  {648, 480, 10, 6},   {59, 768, 0, 10},
  };
  for (const Case& c : cases) {
    const GridCapacity g = computeGridCapacity(c.w, c.h, 50, 65, 10);
    EXPECT_EQ(g.columns, c.columns) << c.w << "x" << c.h;
    EXPECT_EQ(g.rows, c.rows) << c.w << "x" << c.h;
  }
}

TEST(GridGeometry, OriginsOn1366x768) {
  const GridMetrics m = metricsFor(1366, 768);
  struct Case {
    int index;
    Cell horizontalCell;
    Point horizontal;
    Cell verticalCell;
    Point vertical;
  };
  const Case cases[] = {
      {1, {0, 0}, {6, 5}, {0, 0}, {6, 5}},         {2, {1, 0}, {68, 5}, {0, 1}, {6, 82}},
      {10, {9, 0}, {564, 5}, {0, 9}, {6, 697}},    {11, {10, 0}, {626, 5}, {1, 0}, {68, 5}},
      {22, {21, 0}, {1309, 5}, {2, 1}, {130, 82}}, {23, {0, 1}, {6, 82}, {2, 2}, {130, 159}},
      {45, {0, 2}, {6, 159}, {4, 4}, {254, 313}},
  };
  for (const Case& c : cases) {
    for (int edge : {int{edgeTop}, int{edgeBottom}}) {
      const Cell cell = cellOfIndex(edge, m, c.index);
      EXPECT_EQ(cell.column, c.horizontalCell.column) << c.index;
      EXPECT_EQ(cell.row, c.horizontalCell.row) << c.index;
      EXPECT_EQ(buttonOrigin(edge, m, c.index), c.horizontal) << "index " << c.index << " edge " << edge;
    }
    for (int edge : {int{edgeRight}, int{edgeLeft}, 7}) {
      const Cell cell = cellOfIndex(edge, m, c.index);
      EXPECT_EQ(cell.column, c.verticalCell.column) << c.index;
      EXPECT_EQ(cell.row, c.verticalCell.row) << c.index;
      EXPECT_EQ(buttonOrigin(edge, m, c.index), c.vertical) << "index " << c.index << " edge " << edge;
    }
  }
}

TEST(GridGeometry, BarRectanglesOn1366x768) {
  const GridMetrics m = metricsFor(1366, 768);
  struct Case {
    int count, horizontalHeight, bottomTop, verticalWidth, rightLeft;
  };
  const Case cases[] = {
      {0, 85, 683, 70, 1296},    {1, 85, 683, 70, 1296},    {10, 85, 683, 70, 1296},
      {11, 85, 683, 132, 1234},  {22, 85, 683, 194, 1172},  {23, 161, 607, 194, 1172},
      {45, 238, 530, 318, 1048}, {220, 776, -8, 1373, -7},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dockedBarRect(edgeTop, m, c.count), (Rect{0, 0, 1366, c.horizontalHeight})) << c.count;
    EXPECT_EQ(dockedBarRect(edgeBottom, m, c.count), (Rect{0, c.bottomTop, 1366, c.horizontalHeight}))
        << c.count;
    EXPECT_EQ(dockedBarRect(edgeRight, m, c.count), (Rect{c.rightLeft, 0, c.verticalWidth, 768})) << c.count;
    EXPECT_EQ(dockedBarRect(edgeLeft, m, c.count), (Rect{0, 0, c.verticalWidth, 768})) << c.count;
  }
}

TEST(GridGeometry, OrderOfOperationsDecidesThePixel) {
  // 64.8 * 7 + 7.4 is 460.99999999999994 in doubles: truncated to 460, not 461.
  const GridMetrics m = metricsFor(648, 480);
  ASSERT_EQ(m.columns, 10);
  ASSERT_EQ(m.rows, 6);
  EXPECT_EQ(buttonOrigin(edgeTop, m, 8).x, 460);
}

TEST(GridGeometry, ScreenTooSmallForACellStillGivesAOneLineBar) {
  const GridMetrics m = metricsFor(59, 768);
  EXPECT_EQ(m.capacity(), 0);
  EXPECT_EQ(dockedBarRect(edgeTop, m, 0), (Rect{0, 0, 59, 85}));
  EXPECT_EQ(dockedBarRect(edgeRight, m, 0), (Rect{59 - 70, 0, 70, 768}));
}

}  // namespace
}  // namespace tolvar
