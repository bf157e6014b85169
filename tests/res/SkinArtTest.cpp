// The skin bitmaps as the library hands them out: every id of the table at the size and cell count
// of its row, looks that can be told apart, and colour keys only where windows are cut or see-through.

#include "res/BitmapIds.h"
#include "res/SkinTable.h"
#include "tests/res/ResTestSupport.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <set>

namespace {

using restest::Cell;
using restest::Library;

constexpr QRgb kRegionKey = 0xFF3264AA; // the main window's outline key
constexpr QRgb kSeeThrough = 0xFFFF00FF;

TEST(SkinArt, EveryBitmapHasTheSizeAndCellsOfItsRow) {
    for (const SkinRow& row : SkinRows()) {
        const QImage image = Library().LoadBitmap(row.id);
        ASSERT_FALSE(image.isNull()) << "bitmap " << row.id << " (" << row.what << ")";
        EXPECT_EQ(image.width(), row.cellWidth * row.cells) << "bitmap " << row.id;
        EXPECT_EQ(image.height(), row.height) << "bitmap " << row.id;
    }
}

TEST(SkinArt, RowsCarryTheCellsTheirControlsSelect) {
    for (const SkinRow& row : SkinRows()) {
        switch (row.art) {
        case SkinArt::IconButton:
        case SkinArt::BarSegment:
        case SkinArt::TabButton:
            EXPECT_EQ(row.cells, 8) << "picture button strip " << row.id << " (states 0-7)";
            break;
        case SkinArt::TextButton:
        case SkinArt::CaptionCell:
            EXPECT_EQ(row.cells, 4) << "captioned button strip " << row.id << " (states 0-3)";
            break;
        case SkinArt::Progress:
            EXPECT_EQ(row.cells, 3) << "progress strip " << row.id;
            break;
        default:
            break;
        }
    }
}

TEST(SkinArt, ButtonLooksCanBeToldApart) {
    for (const SkinRow& row : SkinRows()) {
        const bool button = row.art == SkinArt::IconButton || row.art == SkinArt::BarSegment ||
                            row.art == SkinArt::TabButton || row.art == SkinArt::TextButton ||
                            row.art == SkinArt::CaptionCell;
        if (!button) {
            continue;
        }
        const QImage strip = Library().LoadBitmap(row.id);
        for (int a = 0; a < 4; ++a) {
            for (int b = a + 1; b < 4; ++b) {
                // Calendar cells never draw their hover cell; the selected cell stands in for it.
                if (row.art == SkinArt::CaptionCell && (a == 2 || b == 2)) {
                    continue;
                }
                EXPECT_NE(Cell(strip, row.cellWidth, a), Cell(strip, row.cellWidth, b))
                    << "bitmap " << row.id << ": looks " << a << " and " << b << " are the same";
            }
        }
    }
    // The sound button's second looks show it muted.
    const QImage sound = Library().LoadBitmap(IDB_SOUND_ON_MUTED_SECOND_LOOKS);
    EXPECT_NE(Cell(sound, 28, 0), Cell(sound, 28, 4));
    EXPECT_NE(Cell(sound, 28, 2), Cell(sound, 28, 6));
}

TEST(SkinArt, ClockDigitCellsAreAllDifferent) {
    for (unsigned id : {1590u, 1591u, 1592u, 1593u, 1594u}) {
        const SkinRow* row = FindSkinRow(id);
        ASSERT_NE(row, nullptr);
        const QImage strip = Library().LoadBitmap(id);
        std::set<QByteArray> seen;
        for (int cell = 0; cell < row->cells; ++cell) {
            const QImage c = Cell(strip, row->cellWidth, cell).convertToFormat(QImage::Format_RGB32);
            const QByteArray bytes(reinterpret_cast<const char*>(c.constBits()), int(c.sizeInBytes()));
            EXPECT_TRUE(seen.insert(bytes).second) << "strip " << id << " cell " << cell << " repeats another";
        }
    }
}

QImage AssembledFace() {
    struct Piece {
        unsigned id;
        int x, y;
    };
    constexpr Piece pieces[] = {{IDB_MAIN_WINDOW_FACE_TOP_LEFT, 0, 0},        {IDB_MAIN_WINDOW_FACE_TOP, 86, 0},
                                {IDB_MAIN_WINDOW_FACE_TOP_RIGHT, 841, 0},     {IDB_MAIN_WINDOW_FACE_LEFT, 0, 58},
                                {IDB_MAIN_WINDOW_FACE_CENTRE, 86, 58},        {IDB_MAIN_WINDOW_FACE_RIGHT, 841, 58},
                                {IDB_MAIN_WINDOW_FACE_BOTTOM_LEFT, 0, 626},   {IDB_MAIN_WINDOW_FACE_BOTTOM, 86, 626},
                                {IDB_MAIN_WINDOW_FACE_BOTTOM_RIGHT, 841, 626}};
    QImage face(928, 698, QImage::Format_RGB32);
    face.fill(Qt::black);
    QPainter p(&face);
    for (const Piece& piece : pieces) {
        p.drawImage(piece.x, piece.y, Library().LoadBitmap(piece.id));
    }
    return face;
}

TEST(SkinArt, MainFaceCutsItsOutlineOnlyInTheCorners) {
    const QImage face = AssembledFace();
    auto inCornerBlock = [](int x, int y) { return (x < 54 || x >= 869) && (y < 51 || y >= 642); };
    int keyed[4] = {0, 0, 0, 0};
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            const QRgb c = face.pixel(x, y);
            ASSERT_NE(c, kSeeThrough) << "the main window is not see-through, at " << x << "," << y;
            if (c != kRegionKey) {
                continue;
            }
            ASSERT_TRUE(inCornerBlock(x, y)) << "outline key outside the corner blocks at " << x << "," << y;
            ++keyed[(x < 464 ? 0 : 1) + (y < 349 ? 0 : 2)];
        }
    }
    for (int corner = 0; corner < 4; ++corner) {
        EXPECT_GT(keyed[corner], 0) << "corner " << corner << " is not rounded off";
    }
    // The very corner pixels are cut, the face next to the video area is not.
    EXPECT_EQ(face.pixel(0, 0), kRegionKey);
    EXPECT_EQ(face.pixel(927, 697), kRegionKey);
    EXPECT_NE(face.pixel(40, 40), kRegionKey);
}

TEST(SkinArt, SeeThroughColourOnlyInTheCornersOfLayeredWindows) {
    // Windows made layered, whose corners are rounded off with the see-through key.
    const std::set<unsigned> layered = {IDB_FULL_SCREEN_ARRANGE_BAR,
                                        IDB_BACKUP_PROGRESS_POPUP,
                                        IDB_NOTICE_BOX_DAYLIGHT_SAVING_QUESTION,
                                        IDB_FIRMWARE_UPGRADE,
                                        IDB_SEARCH_SETUP_FRAME,
                                        IDB_PTZ_PAD,
                                        1737,
                                        IDB_PTZ_KEYPAD,
                                        IDB_CONNECT_DIALOG,
                                        IDB_PASSWORD_PROMPT,
                                        IDB_CONNECTION_HISTORY};
    for (const SkinRow& row : SkinRows()) {
        const QImage image = Library().LoadBitmap(row.id);
        const int w = image.width();
        const int h = image.height();
        const bool isPopupCorner = row.art == SkinArt::PopupFrame;
        int keyed = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (image.pixel(x, y) != kSeeThrough) {
                    continue;
                }
                ++keyed;
                const bool nearCorner = (x < 12 || x >= w - 12) && (y < 12 || y >= h - 12);
                ASSERT_TRUE((layered.count(row.id) != 0 || isPopupCorner) && nearCorner)
                    << "see-through pixel in bitmap " << row.id << " at " << x << "," << y;
            }
        }
        if (layered.count(row.id) != 0) {
            EXPECT_EQ(image.pixel(0, 0), kSeeThrough) << "bitmap " << row.id;
            EXPECT_EQ(image.pixel(w - 1, h - 1), kSeeThrough) << "bitmap " << row.id;
            EXPECT_NE(image.pixel(w / 2, h / 2), kSeeThrough) << "bitmap " << row.id;
        }
    }
}

TEST(SkinArt, CheckBoxShapeIsTheBoxWithoutItsCorners) {
    const QImage mask = Library().LoadBitmap(IDB_CHECK_BOX_SHAPE);
    ASSERT_EQ(mask.size(), QSize(15, 15));
    EXPECT_EQ(mask.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(mask.pixel(14, 14), 0xFFFFFFFFu);
    EXPECT_NE(mask.pixel(7, 7), 0xFFFFFFFFu);
    EXPECT_NE(mask.pixel(7, 0), 0xFFFFFFFFu);
    EXPECT_NE(mask.pixel(0, 7), 0xFFFFFFFFu);
}

TEST(SkinArt, OverlayMasksMatchTheirPictures) {
    // Each mask (black shape on white) and its picture (shape on black) cover the same pixels, so
    // AND then OR blitting leaves no fringe.
    for (unsigned mask : {1600u, 1602u, 1604u, 1606u, 1610u, 1612u, 1733u, 1735u}) {
        const QImage m = Library().LoadBitmap(mask);
        const QImage picture = Library().LoadBitmap(mask + 1);
        ASSERT_EQ(m.size(), picture.size()) << mask;
        int shape = 0;
        for (int y = 0; y < m.height(); ++y) {
            for (int x = 0; x < m.width(); ++x) {
                const bool inMask = m.pixel(x, y) == 0xFF000000u;
                EXPECT_TRUE(inMask || m.pixel(x, y) == 0xFFFFFFFFu) << mask << " at " << x << "," << y;
                EXPECT_EQ(inMask, picture.pixel(x, y) != 0xFF000000u) << mask << " at " << x << "," << y;
                shape += inMask ? 1 : 0;
            }
        }
        EXPECT_GT(shape, 10) << mask;
    }
}

} // namespace
