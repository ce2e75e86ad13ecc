#include "view/PreviewGeometry.h"
#include "model/ShownOrder.h"
#include "view/VisibleFirst.h"

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

TEST(ShownOrder, IdentityShowsEveryItemAtItsOwnIndex)
{
    const ShownOrder order = ShownOrder::Identity(4);
    EXPECT_TRUE(order.isIdentity());
    EXPECT_EQ(order.count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(order.ItemAt(i), i);
        EXPECT_EQ(order.PositionOf(i), i);
    }
    EXPECT_EQ(order.ItemAt(4), -1);
    EXPECT_EQ(order.ItemAt(-1), -1);
    EXPECT_EQ(order.PositionOf(-1), -1);
}

TEST(ShownOrder, MapsBothWaysAndDropsWhatCannotBeShown)
{
    // 5 shown twice and 9 out of range are dropped; 1 and 3 are filtered out.
    const ShownOrder order({4, 0, 2, 4, 9, 5, -1}, 6);
    EXPECT_FALSE(order.isIdentity());
    EXPECT_EQ(order.count(), 4);
    const int items[] = {4, 0, 2, 5};
    for (int position = 0; position < 4; ++position) {
        EXPECT_EQ(order.ItemAt(position), items[position]);
        EXPECT_EQ(order.PositionOf(items[position]), position);
    }
    EXPECT_EQ(order.PositionOf(1), -1);
    EXPECT_EQ(order.PositionOf(3), -1);
    // Every item in list order is the identity, however it was made.
    EXPECT_TRUE(ShownOrder({0, 1, 2}, 3).isIdentity());
    EXPECT_EQ(ShownOrder({0, 1, 2}, 3), ShownOrder::Identity(3));
}

TEST(VisibleFirstItems, PositionsOnScreenAskForTheItemsTheyShow)
{
    // 8 shown of 10 items; 2 columns, 1 row on screen from position 2.
    const ShownOrder order({9, 7, 5, 3, 1, 0, 2, 4}, 10);
    GridGeometry::Grid grid;
    grid.columns = 2;
    grid.cellWidth = 10;
    grid.cellHeight = 10;
    grid.topIndex = 2;
    grid.count = order.count();
    const VisibleFirstOrder positions = MakeVisibleFirstOrder(grid, 10);
    const VisibleFirstOrder items = ItemsOf(positions, order);
    EXPECT_EQ(items.onScreenCount, positions.onScreenCount);
    EXPECT_EQ(items.priorityCount, positions.priorityCount);
    // On screen 5, 3; a screen below 1, 0; one above 9, 7; then the rest in shown order.
    EXPECT_EQ(items.order, (std::vector<int>{5, 3, 1, 0, 7, 9, 2, 4}));
    // The identity asks for positions as they are.
    const VisibleFirstOrder same = ItemsOf(positions, ShownOrder::Identity(8));
    EXPECT_EQ(same.order, positions.order);
}

// Scrolling one way keeps more screens ready that way, nearest first; one screen the other.
TEST(VisibleFirstTravel, ScreensAheadLieTheWayTheGridMoves)
{
    GridGeometry::Grid grid;
    grid.columns = 1;
    grid.cellWidth = 10;
    grid.cellHeight = 10;
    grid.topIndex = 5;
    grid.count = 12;
    const struct {
        Travel travel;
        std::vector<int> order;
        std::size_t priority;
    } rows[] = {
        {Travel::None, {5, 6, 4, 7, 8, 9, 10, 11}, 3},
        {Travel::Down, {5, 6, 7, 8, 4, 9, 10, 11}, 5},
        {Travel::Up, {5, 4, 3, 2, 6, 7, 8, 9, 10, 11}, 5},
    };
    for (const auto& row : rows) {
        const VisibleFirstOrder order = MakeVisibleFirstOrder(grid, 10, row.travel);
        EXPECT_EQ(order.order, row.order);
        EXPECT_EQ(order.priorityCount, row.priority);
        EXPECT_EQ(order.onScreenCount, 1u);
    }
}

struct PopupCase {
    QRect cell;
    QSize popup;
    QRect expected;
};

TEST(PreviewGeometry, TwiceTheThumbnailWithinEightyPercentOfTheScreen)
{
    EXPECT_EQ(PreviewGeometry::PreviewSize(QSize(300, 180), QSize(1920, 1080)),
              QSize(600, 360));
    // Held by the height: 80 % of 400 is 320, the shape kept.
    EXPECT_EQ(PreviewGeometry::PreviewSize(QSize(300, 180), QSize(1920, 400)),
              QSize(533, 320));
    EXPECT_EQ(PreviewGeometry::PreviewSize(QSize(0, 180), QSize(1920, 1080)), QSize());
    const QSize preview = PreviewGeometry::PreviewSize(QSize(100, 50), QSize(1280, 900));
    EXPECT_GE(preview.width() * preview.height(), 3 * 100 * 50);
}

TEST(PreviewGeometry, BesideTheCellOnTheSideWithRoom)
{
    const QRect screen(0, 0, 1000, 800);
    const PopupCase cases[] = {
        {QRect(100, 100, 100, 50), QSize(200, 100), QRect(200, 100, 200, 100)},  // right
        {QRect(800, 100, 100, 50), QSize(200, 100), QRect(600, 100, 200, 100)},  // left
        {QRect(400, 750, 100, 50), QSize(200, 100), QRect(500, 700, 200, 100)},  // moved up
        {QRect(450, 0, 100, 50), QSize(600, 100), QRect(400, 0, 600, 100)},      // over it
    };
    for (const PopupCase& c : cases)
        EXPECT_EQ(PreviewGeometry::PopupRect(c.cell, c.popup, screen), c.expected)
            << c.cell.x() << "," << c.cell.y();
}

} // namespace
