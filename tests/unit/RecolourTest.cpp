// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Recolour.h"
#include "platform/Resources.h"

#include <QImage>
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>

using moka::Recolour;
using moka::Resources;

namespace {

constexpr QRgb kBlue = qRgb(0, 0, 255);

// Colours compared fully opaque, as qRgb() makes them.
QRgb rgbAt(const QImage &image, int x, int y) { return image.pixel(x, y) | 0xff000000u; }

// Every pixel of `result` is the colour of its index in `original`, except
// those whose index is in `replaced`, which must be `colourOf(index)`.
template <typename ColourOf>
void expectOnlyEntriesChanged(const QImage &original, const QImage &result, const std::set<int> &replaced,
                              ColourOf colourOf)
{
    ASSERT_EQ(result.format(), QImage::Format_RGB32);
    ASSERT_EQ(result.size(), original.size());
    int changed = 0, kept = 0;
    for (int y = 0; y < original.height(); ++y) {
        for (int x = 0; x < original.width(); ++x) {
            const int index = original.pixelIndex(x, y);
            const QRgb expected =
                replaced.count(index) ? colourOf(index) : original.color(index) | 0xff000000u;
            ASSERT_EQ(rgbAt(result, x, y), expected) << "pixel " << x << "," << y << " index " << index;
            (replaced.count(index) ? changed : kept)++;
        }
    }
    EXPECT_GT(changed, 0) << "the picture has no pixel at a replaced entry";
    EXPECT_GT(kept, 0);
}

struct Sheet
{
    const char *name;
    int width, height;
};

const Sheet kRacketSheets[] = {{"com_racket.bmp", 32, 64}, {"com_swing.bmp", 256, 96}};

} // namespace

TEST(RecolourTest, RacketColourTableAndOutOfRangeValuesGiveBlue)
{
    const QRgb table[] = {
        kBlue,           qRgb(255, 0, 255),   qRgb(0, 128, 128), qRgb(255, 255, 0),  qRgb(255, 0, 0),
        qRgb(0, 255, 0), qRgb(192, 192, 192), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    for (int c = 1; c <= 9; ++c)
        EXPECT_EQ(Recolour::racketColour(c), table[c - 1]) << c;
    for (std::int32_t c : {0, 10, -1, INT32_MIN, INT32_MAX})
        EXPECT_EQ(Recolour::racketColour(c), kBlue) << c;
}

// Both racket pictures, every colour and a few out-of-range numbers: only the
// pixels at entry 12 change; the black surroundings, the grip and the whole
// black-and-white mask stay exactly as they were.
TEST(RecolourTest, RacketPicturesChangeOnlyEntryTwelve)
{
    for (const Sheet &sheet : kRacketSheets) {
        SCOPED_TRACE(sheet.name);
        const QImage original = Resources::image(QString::fromLatin1(sheet.name));
        ASSERT_EQ(original.format(), QImage::Format_Indexed8);
        ASSERT_EQ(original.size(), QSize(sheet.width, sheet.height));
        ASSERT_EQ(original.colorTable(), Recolour::standardPalette());
        for (std::int32_t c : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 10, -1}) {
            SCOPED_TRACE(c);
            const QImage result = Recolour::SET_RKT_COLOR(original, c);
            expectOnlyEntriesChanged(original, result, {Recolour::RacketEntry},
                                     [c](int) { return Recolour::racketColour(c); });
        }
        // The caller's picture is never touched.
        EXPECT_EQ(original.color(Recolour::RacketEntry), kBlue);
    }
}

// The sprite conventions the recolouring and the drawing rely on: the mask
// is pure black and white, the picture is black wherever the mask is white,
// entry 12 only appears where the mask is black, and every frame has some.
TEST(RecolourTest, RacketPicturesKeepTheSpriteConventions)
{
    for (const Sheet &sheet : kRacketSheets) {
        SCOPED_TRACE(sheet.name);
        const QImage image = Resources::image(QString::fromLatin1(sheet.name));
        const int half = image.height() / 2;
        const int frameWidth = sheet.width == 32 ? 32 : 64;
        for (int frame = 0; frame < image.width() / frameWidth; ++frame) {
            int racketPixels = 0;
            for (int y = 0; y < half; ++y) {
                for (int x = frame * frameWidth; x < (frame + 1) * frameWidth; ++x) {
                    const int mask = image.pixelIndex(x, y + half);
                    const int picture = image.pixelIndex(x, y);
                    ASSERT_TRUE(mask == 0 || mask == 15) << x << "," << y;
                    if (mask == 15) {
                        ASSERT_EQ(picture, 0) << x << "," << y;
                    }
                    racketPixels += picture == Recolour::RacketEntry;
                }
            }
            EXPECT_GT(racketPixels, 40) << "frame " << frame;
        }
    }
}

TEST(RecolourTest, EachCallStartsFromTheGivenPicture)
{
    const QImage original = Resources::image(QStringLiteral("com_racket.bmp"));
    const QImage once = Recolour::SET_RKT_COLOR(original, 3);
    EXPECT_EQ(Recolour::SET_RKT_COLOR(original, 3), once);
    // A call in between for another colour leaves no trace.
    Recolour::SET_RKT_COLOR(original, 9);
    EXPECT_EQ(Recolour::SET_RKT_COLOR(original, 3), once);

    const QImage court = Resources::image(QStringLiteral("court.bmp"));
    const QImage purple = Recolour::SET_COURT_COLOR(court, 2);
    Recolour::SET_COURT_COLOR(court, 1);
    EXPECT_EQ(Recolour::SET_COURT_COLOR(court, 2), purple);
}

// A picture that is no longer indexed is reduced to the 16 colours first: a
// racket already recoloured magenta reads back as entry 13 and stays magenta,
// while a fresh RGB copy of the blue racket recolours like the original.
TEST(RecolourTest, RacketPictureThatIsNotIndexedIsReducedToTheSixteenColours)
{
    const QImage original = Resources::image(QStringLiteral("com_swing.bmp"));
    const QImage magenta = Recolour::SET_RKT_COLOR(original, 2);
    EXPECT_EQ(Recolour::SET_RKT_COLOR(magenta, 4), magenta);

    const QImage rgb = original.convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(Recolour::SET_RKT_COLOR(rgb, 4), Recolour::SET_RKT_COLOR(original, 4));

    // Off-palette colours go to the nearest entry; near-blue becomes the racket.
    QImage odd(3, 1, QImage::Format_RGB32);
    odd.setPixel(0, 0, qRgb(10, 5, 240));
    odd.setPixel(1, 0, qRgb(250, 250, 250));
    odd.setPixel(2, 0, qRgb(120, 10, 0));
    const QImage result = Recolour::SET_RKT_COLOR(odd, 5);
    EXPECT_EQ(rgbAt(result, 0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(rgbAt(result, 1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(rgbAt(result, 2, 0), qRgb(128, 0, 0));

    // A two-colour table (entry 12 does not exist) is reduced, not indexed past its end.
    QImage mono(4, 2, QImage::Format_Indexed8);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(1);
    const QImage monoResult = Recolour::SET_RKT_COLOR(mono, 6);
    EXPECT_EQ(rgbAt(monoResult, 0, 0), qRgb(255, 255, 255));

    EXPECT_TRUE(Recolour::SET_RKT_COLOR(QImage(), 2).isNull());
}

// Every scheme: only entries 9, 10 and 16 change; walls, net, green bands and
// goal mouths keep their exact colours. Scheme 0 and anything unknown give
// the court picture's own colours.
TEST(RecolourTest, CourtSchemesChangeOnlySurfaceCreaseAndLines)
{
    const QImage court = Resources::image(QStringLiteral("court.bmp"));
    ASSERT_EQ(court.format(), QImage::Format_Indexed8);
    ASSERT_EQ(court.size(), QSize(281, 513));
    ASSERT_GE(court.colorCount(), 17);
    EXPECT_EQ(court.color(9), qRgb(173, 115, 66));
    EXPECT_EQ(court.color(10), qRgb(198, 99, 0));
    EXPECT_EQ(court.color(16), qRgb(255, 132, 66));

    const std::set<int> entries{Recolour::SurfaceEntry, Recolour::CreaseEntry, Recolour::LineEntry};
    const auto scheme = [](QRgb surface, QRgb crease, QRgb line) {
        return [=](int index) {
            return index == Recolour::SurfaceEntry ? surface : index == Recolour::CreaseEntry ? crease : line;
        };
    };
    {
        SCOPED_TRACE("blue");
        expectOnlyEntriesChanged(court, Recolour::SET_COURT_COLOR(court, 1), entries,
                                 scheme(qRgb(128, 128, 255), qRgb(112, 112, 255), qRgb(0, 220, 220)));
    }
    {
        SCOPED_TRACE("purple");
        expectOnlyEntriesChanged(court, Recolour::SET_COURT_COLOR(court, 2), entries,
                                 scheme(qRgb(146, 0, 146), qRgb(128, 0, 128), qRgb(255, 0, 255)));
    }
    const QImage own = court.convertToFormat(QImage::Format_RGB32);
    for (std::int32_t c : {0, 3, -1, INT32_MAX})
        EXPECT_EQ(Recolour::SET_COURT_COLOR(court, c), own) << c;
    EXPECT_EQ(court.color(9), qRgb(173, 115, 66)); // the caller's court is untouched
}

TEST(RecolourTest, CourtThatIsNotIndexedComesBackUnchanged)
{
    const QImage rgb = Resources::image(QStringLiteral("court.bmp")).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(Recolour::SET_COURT_COLOR(rgb, 2), rgb);
    EXPECT_EQ(Recolour::SET_COURT_COLOR(rgb.convertToFormat(QImage::Format_ARGB32), 1).format(),
              QImage::Format_RGB32);

    // A short colour table: the entries it has are replaced, the rest left out.
    QImage small(2, 1, QImage::Format_Indexed8);
    small.setColorTable(QList<QRgb>(12, qRgb(1, 2, 3)));
    small.setPixel(0, 0, 9);
    small.setPixel(1, 0, 11);
    const QImage result = Recolour::SET_COURT_COLOR(small, 2);
    EXPECT_EQ(rgbAt(result, 0, 0), qRgb(146, 0, 146));
    EXPECT_EQ(rgbAt(result, 1, 0), qRgb(1, 2, 3));

    EXPECT_TRUE(Recolour::SET_COURT_COLOR(QImage(), 1).isNull());
}
