// The English text table: ids that code computes from a base and an index are all there, texts fit
// the fixed fields they are copied into, and captions fit the controls that show them.

#include "tests/res/ResTestSupport.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <initializer_list>
#include <vector>

namespace {

using restest::Library;

struct IdRange {
    unsigned first;
    unsigned last;
    const char* what;
};

// Ranges that code indexes into: a gap would show an empty text on screen.
constexpr IdRange kIndexedRanges[] = {
    {5022, 5025, "play bar tooltips"},
    {5050, 5093, "notice texts"},
    {5110, 5134, "remote log kinds"},
    {5135, 5148, "status and system rows"},
    {5180, 5194, "firmware rows and status"},
    {5200, 5202, "e-mail options"},
    {5204, 5206, "levels"},
    {5211, 5227, "recorder languages (5211 + p)"},
    {5250, 5278, "daylight-saving modes"},
    {5290, 5301, "months"},
    {5305, 5309, "weeks"},
    {5313, 5319, "weekdays"},
    {5360, 5368, "local log kinds"},
    {5381, 5394, "local setup captions"},
    {5420, 5432, "calendar captions and days"},
    {5460, 5471, "record captions and slots"},
    {5520, 5527, "log titles"},
    {5580, 5585, "archive buttons"},
    {5660, 5669, "display menu and columns"},
    {5680, 5690, "record menu and columns"},
    {5720, 5723, "PTZ range columns"},
    {5730, 5736, "event menu, Yes and No"},
    {5780, 5803, "time zones (5779 + z)"},
    {5821, 5823, "initialise notice"},
    {5850, 5861, "accounts and rights"},
    {5890, 5899, "log details"},
    {5910, 5914, "auto save"},
};

TEST(ResTexts, IndexedRangesHaveNoGaps) {
    for (const IdRange& range : kIndexedRanges) {
        for (unsigned id = range.first; id <= range.last; ++id) {
            if (id == 5149) {
                continue; // not part of the status rows
            }
            EXPECT_FALSE(Library().LoadText(id).IsEmpty()) << range.what << ": text " << id;
        }
    }
}

struct Limit {
    std::initializer_list<unsigned> ids;
    int maxBytes;
    const char* field;
};

TEST(ResTexts, TextsFitTheFieldsTheyAreCopiedInto) {
    const Limit limits[] = {
        // Tooltip text field of 80 bytes with its terminator.
        {{5000, 5001, 5002, 5003, 5004, 5005, 5006, 5007, 5008, 5010, 5011, 5012, 5013, 5014, 5015, 5016,
          5017, 5018, 5019, 5020, 5021, 5022, 5023, 5024, 5025, 5027, 5028, 5029, 5030, 5830, 5882, 5883},
         79,
         "tooltip"},
        // "Channel" + " 16" in the tooltip too.
        {{5009}, 76, "channel tooltip prefix"},
        // Decoder labels are char[30]; name tables of the time page and OSD items hold 29 characters.
        {{5013, 5125, 5527}, 29, "decoder label"},
        {{5290, 5291, 5292, 5293, 5294, 5295, 5296, 5297, 5298, 5299, 5300, 5301, 5305,
          5306, 5307, 5308, 5309, 5313, 5314, 5315, 5316, 5317, 5318, 5319, 5340, 5343},
         29,
         "time page name tables"},
        {{5341, 5351}, 25, "OSD items (\"10 %s\")"},
        {{5780, 5781, 5782, 5783, 5784, 5785, 5786, 5787, 5788, 5789, 5790, 5791, 5792,
          5793, 5794, 5795, 5796, 5797, 5798, 5799, 5800, 5801, 5802, 5803, 5243},
         99,
         "zone names"},
    };
    for (const Limit& limit : limits) {
        for (unsigned id : limit.ids) {
            EXPECT_LE(Library().LoadText(id).GetLength(), limit.maxBytes) << limit.field << ": text " << id;
        }
    }
    for (unsigned id = 5250; id <= 5278; ++id) {
        EXPECT_LE(Library().LoadText(id).GetLength(), 29) << "daylight-saving mode name " << id;
    }
}

struct Fit {
    std::initializer_list<unsigned> ids;
    int pixelSize; // "Arial Bold" 9 pt is 12 pixels, 8 pt is 11
    int room;      // pixels available for the text
    const char* where;
};

int TextWidth(const QString& text, int pixelSize) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(text);
}

TEST(ResTexts, CaptionsFitTheirControls) {
    restest::EnsureGuiApplication();
    const Fit fits[] = {
        // Notice lines are drawn 1.2 times as wide as measured, centred in a 309-pixel row.
        {{5050, 5051, 5052, 5053, 5054, 5055, 5056, 5057, 5058, 5059, 5060, 5061, 5062, 5063, 5064, 5065,
          5066, 5067, 5068, 5069, 5070, 5071, 5072, 5073, 5074, 5075, 5076, 5077, 5078, 5079, 5080, 5081,
          5082, 5083, 5084, 5085, 5086, 5087, 5088, 5089, 5090, 5091, 5092, 5093, 5503, 5821, 5822, 5823},
         12,
         300 * 10 / 12,
         "notice box line"},
        {{5541, 5542, 5543, 5495, 5242, 5241, 5016, 5760, 5761, 5831, 5686, 5762}, 12, 92, "100-pixel button"},
        {{5420, 5027, 5188}, 12, 80, "firmware button"},
        {{5640, 5641, 5642, 5583, 5584, 5563, 5582, 5585, 5604, 5892, 5240, 5685, 5760}, 12, 91, "page button"},
        {{5090, 5832, 5833, 5734}, 12, 150, "wide page button"},
        {{5660, 5661, 5452, 5662, 5663, 5680, 5208, 5130, 5131, 5209, 5132, 5210, 5681, 5700,
          5861, 5489, 5702, 5703, 5704, 5705, 5708, 5834, 5730, 5731, 5732, 5733, 5560, 5451,
          5561, 5562, 5600, 5601, 5026, 5602, 5603, 5620, 5621, 5750, 5751, 5910},
         12,
         130,
         "menu entry beside its picture"},
        {{5664, 5665, 5666, 5667, 5682, 5683, 5030, 5684, 5687, 5342, 5720, 5721, 5722, 5723}, 12, 94, "column button"},
        {{5486, 5711, 5712}, 12, 127, "three-column button"},
        {{5668, 5669, 5713, 5714}, 12, 190, "half-width column button"},
        {{5344, 5340, 5735, 5736, 5688, 5689, 5690}, 12, 58, "switch button right of its lamp"},
        {{5243, 5709, 5710, 5498, 5422}, 12, 70, "narrow switch button"},
        {{5290, 5291, 5292, 5293, 5294, 5295, 5296, 5297, 5298, 5299, 5300, 5301}, 12, 45, "calendar month"},
        {{5426, 5427, 5428, 5429, 5430, 5431, 5432}, 12, 46, "weekday caption"},
        {{5497, 5540, 5486, 5487, 5881}, 12, 100, "connect dialog label plate"},
        // The row's progress bar starts 56 pixels right of its name label.
        {{5180, 5181, 5182, 5184, 5185}, 12, 54, "firmware row name"},
        {{5186, 5187, 5190, 5191, 5192, 5193, 5194, 5083}, 12, 132, "firmware status"},
        {{5152}, 11, 41 - TextWidth(QStringLiteral("00"), 11), "channel button prefix"},
    };
    for (const Fit& fit : fits) {
        for (unsigned id : fit.ids) {
            const QString text = QString::fromUtf8(Library().LoadText(id).GetString());
            EXPECT_LE(TextWidth(text, fit.pixelSize), fit.room)
                << fit.where << ": text " << id << " \"" << text.toStdString() << "\"";
        }
    }
}

} // namespace
