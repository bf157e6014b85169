#include "res/gen/WorldMapPainter.h"

#include "res/SkinTable.h"
#include "res/gen/SkinDraw.h"
#include "res/gen/SkinPalette.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>
#include <vector>

namespace {

constexpr int kWidth = 380;
constexpr int kHeight = 200;
// Left edge of the map in degrees of longitude, and the latitudes of its top and bottom.
constexpr double kWest = -18.95;
constexpr double kNorth = 80.0;
constexpr double kSouth = -60.0;

// The zone rectangles of the page (left and right, page pixels); the map starts at x 13.
constexpr std::array<std::pair<int, int>, 24> kZoneRects = {{
    {23, 43},   {31, 70},   {50, 84},   {61, 97},   {73, 106},  {86, 118},  {102, 135}, {117, 160},
    {117, 179}, {150, 190}, {171, 203}, {188, 205}, {201, 233}, {234, 244}, {245, 264}, {265, 281},
    {272, 296}, {289, 309}, {303, 326}, {320, 349}, {339, 362}, {342, 381}, {382, 391}, {171, 203},
}};

using Outline = std::vector<std::pair<double, double>>; // (longitude, latitude)

// Coarse coastlines, enough for a small stylised map.
const std::vector<Outline>& Land() {
    static const std::vector<Outline> land = {
        // North America
        {{-168, 66}, {-162, 70}, {-141, 70}, {-128, 70}, {-115, 68}, {-95, 72},  {-82, 73},  {-75, 68},
         {-65, 60},  {-60, 55},  {-56, 52},  {-66, 45},  {-70, 42},  {-76, 37},  {-76, 35},  {-81, 31},
         {-80, 25},  {-82, 28},  {-84, 30},  {-90, 30},  {-97, 27},  {-97, 22},  {-94, 18},  {-87, 21},
         {-88, 16},  {-83, 10},  {-79, 9},   {-77, 8},   {-85, 12},  {-92, 14},  {-98, 16},  {-105, 20},
         {-110, 24}, {-112, 30}, {-117, 33}, {-121, 36}, {-124, 41}, {-124, 47}, {-130, 54}, {-136, 58},
         {-146, 61}, {-155, 59}, {-162, 58}, {-158, 56}, {-165, 54}, {-162, 60}, {-166, 62}},
        // Greenland
        {{-73, 78}, {-60, 82}, {-30, 83}, {-20, 80}, {-20, 72}, {-30, 68}, {-42, 60}, {-50, 64}, {-54, 70}, {-60, 76}},
        // South America
        {{-80, 9},   {-75, 11},  {-63, 11},  {-52, 5},   {-50, 0},   {-35, -5},  {-39, -15}, {-41, -22},
         {-48, -26}, {-53, -34}, {-58, -39}, {-65, -41}, {-66, -47}, {-69, -52}, {-73, -54}, {-75, -48},
         {-73, -40}, {-71, -30}, {-70, -18}, {-76, -14}, {-81, -6},  {-80, -1},  {-78, 2}},
        // Europe
        {{-10, 36}, {-9, 43}, {-2, 44}, {-4, 48}, {2, 51},  {8, 54},  {8, 57},  {12, 56}, {10, 59}, {5, 62},
         {14, 68},  {25, 71}, {30, 70}, {40, 67}, {45, 68}, {60, 69}, {60, 55}, {50, 45}, {40, 42}, {30, 41},
         {28, 37},  {22, 37}, {20, 40}, {16, 38}, {13, 42}, {10, 44}, {4, 43},  {-2, 37}, {-6, 36}},
        // Asia
        {{45, 68},  {60, 69},  {70, 73},  {80, 73},  {100, 78}, {112, 74}, {130, 72}, {140, 72}, {160, 70},
         {170, 70}, {180, 67}, {178, 64}, {163, 60}, {162, 56}, {155, 57}, {143, 59}, {136, 54}, {141, 48},
         {135, 43}, {130, 42}, {127, 38}, {126, 34}, {121, 31}, {122, 29}, {117, 23}, {110, 21}, {108, 16},
         {109, 12}, {105, 9},  {103, 11}, {100, 13}, {100, 8},  {104, 1},  {101, 3},  {98, 8},   {98, 16},
         {94, 18},  {92, 22},  {88, 22},  {80, 15},  {78, 8},   {73, 17},  {72, 21},  {67, 24},  {57, 25},
         {56, 27},  {50, 30},  {48, 30},  {51, 24},  {56, 26},  {59, 22},  {52, 16},  {43, 12},  {40, 15},
         {35, 28},  {34, 31},  {36, 36},  {28, 37},  {30, 41},  {40, 42},  {50, 45},  {60, 55}},
        // Africa
        {{-17, 21}, {-16, 12}, {-8, 5},   {5, 5},    {9, 4},    {10, -2}, {13, -12}, {12, -18}, {15, -27}, {18, -34},
         {25, -34}, {32, -28}, {35, -22}, {40, -15}, {40, -10}, {39, -5}, {43, -1},  {51, 11},  {44, 11},  {38, 18},
         {33, 28},  {32, 31},  {20, 32},  {10, 37},  {-1, 36},  {-6, 36}, {-10, 30}, {-13, 27}},
        // Australia, islands
        {{114, -22},
         {114, -34},
         {118, -35},
         {124, -33},
         {131, -31},
         {135, -35},
         {139, -35},
         {144, -38},
         {148, -38},
         {150, -36},
         {153, -30},
         {153, -25},
         {146, -19},
         {142, -11},
         {137, -12},
         {136, -15},
         {131, -11},
         {125, -14},
         {122, -17}},
        {{44, -25}, {47, -25}, {50, -15}, {49, -12}, {44, -17}},
        {{130, 31},
         {132, 34},
         {135, 35},
         {140, 35},
         {142, 38},
         {141, 41},
         {140, 45},
         {142, 45},
         {145, 44},
         {141, 41},
         {141, 37},
         {139, 34},
         {131, 33}},
        {{-5, 50}, {1, 51}, {2, 53}, {-1, 55}, {-2, 58}, {-5, 58}, {-6, 56}, {-3, 54}, {-5, 52}},
        {{-24, 64}, {-22, 66}, {-14, 66}, {-14, 64}, {-19, 63}},
        {{95, 5}, {98, 4}, {104, -2}, {106, -6}, {101, -3}, {96, 2}},
        {{109, 1}, {111, -3}, {116, -4}, {118, 1}, {117, 6}, {113, 3}},
        {{131, -1}, {141, -3}, {150, -10}, {143, -9}, {137, -5}},
        {{105, -6}, {114, -7}, {114, -8}, {106, -7}},
        {{172, -34},
         {175, -37},
         {178, -38},
         {175, -41},
         {174, -41},
         {172, -44},
         {169, -46},
         {167, -46},
         {170, -43},
         {173, -41},
         {174, -39}},
        {{120, 18}, {122, 18}, {126, 8}, {124, 6}, {121, 14}},
    };
    return land;
}

QPointF Project(double lon, double lat) {
    return {(lon - kWest) * kWidth / 360.0, (kNorth - lat) * kHeight / (kNorth - kSouth)};
}

QImage Map(QRgb sea, QRgb grid, QRgb landColour, QRgb coast) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(sea);
    QPainter p(&image);
    for (int lon = -180; lon <= 180; lon += 30) {
        const double x = Project(lon, 0).x();
        for (double dx : {0.0, double(kWidth), -double(kWidth)}) {
            CSkinDraw::VLine(p, int(x + dx), 0, kHeight - 1, grid);
        }
    }
    for (int lat = -60; lat <= 60; lat += 30) {
        CSkinDraw::HLine(p, 0, kWidth - 1, int(Project(0, lat).y()), grid);
    }
    // One outline for all land, so coasts are drawn where land meets sea only.
    QPainterPath land;
    for (const Outline& outline : Land()) {
        QPolygonF polygon;
        for (const auto& [lon, lat] : outline) {
            polygon << Project(lon, lat);
        }
        // The map wraps around: each coastline again one map width to either side.
        for (double dx : {0.0, double(kWidth), -double(kWidth)}) {
            QPainterPath piece;
            piece.addPolygon(polygon.translated(dx, 0));
            piece.closeSubpath();
            land = land.united(piece);
        }
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(coast), 1.0));
    p.setBrush(QColor(landColour));
    p.drawPath(land.simplified());
    return image;
}

} // namespace

QImage CWorldMapPainter::Paint(const SkinRow& row) {
    if (row.variant == 0) {
        return Map(qRgb(0x18, 0x26, 0x40), qRgb(0x22, 0x34, 0x56), qRgb(0x55, 0x72, 0xA0), qRgb(0x7D, 0x9A, 0xC6));
    }
    static const QImage lit =
        Map(qRgb(0x0F, 0x4C, 0x66), qRgb(0x17, 0x5E, 0x7C), qRgb(0x3A, 0xCB, 0xE4), qRgb(0xA6, 0xEE, 0xF8));
    // Zone 11 of the newer zone list is drawn in the same rectangle as zone 11.
    const int zone = row.variant == 25 ? 11 : row.variant;
    const auto& [left, right] = kZoneRects[size_t(std::clamp(zone, 1, 24) - 1)];
    return lit.copy(left - 13, 0, right - left, kHeight);
}
