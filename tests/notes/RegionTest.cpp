#include <QImage>
#include <QRegion>
#include <QTest>

#include "notes/Balloon.h"

using noctiva::notes::RegionFromImage;

namespace {

// A picture from rows of characters: '.' white, '#' black, 'n' almost white,
// 'k' the translucency key colour.
QImage picture(const QStringList& rows) {
    QImage image(static_cast<int>(rows.first().size()), static_cast<int>(rows.size()),
                 QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QChar c = rows[y][x];
            image.setPixel(x, y,
                           c == u'.'   ? qRgb(255, 255, 255)
                           : c == u'n' ? qRgb(255, 254, 255)
                           : c == u'k' ? qRgb(128, 0, 0)
                                       : qRgb(0, 0, 0));
        }
    }
    return image;
}

QRegion regionOf(const QList<QRect>& rects) {
    QRegion region;
    for (const QRect& r : rects) {
        region += r;
    }
    return region;
}

}  // namespace

class RegionTest : public QObject {
    Q_OBJECT

  private slots:
    // Rectangles are in window coordinates for a picture drawn at (1, 1):
    // picture pixel (x, y) is window pixel (x + 1, y + 1).
    void runsPerRow_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QList<QRect>>("rects");
        QTest::newRow("all white") << QStringList{"....", "...."} << QList<QRect>{};
        QTest::newRow("one pixel inside") << QStringList{"..#.."} << QList<QRect>{{3, 1, 1, 1}};
        QTest::newRow("run inside") << QStringList{".###."} << QList<QRect>{{2, 1, 3, 1}};
        QTest::newRow("run to the right edge loses its last pixel")
            << QStringList{"..###"} << QList<QRect>{{3, 1, 2, 1}};
        QTest::newRow("whole row") << QStringList{"#####"} << QList<QRect>{{1, 1, 4, 1}};
        QTest::newRow("lone pixel in the last column") << QStringList{"....#"} << QList<QRect>{};
        QTest::newRow("several runs")
            << QStringList{"#.##.#.."} << QList<QRect>{{1, 1, 1, 1}, {3, 1, 2, 1}, {6, 1, 1, 1}};
        QTest::newRow("rows independent")
            << QStringList{".##..", ".....", "#...#"} << QList<QRect>{{2, 1, 2, 1}, {1, 3, 1, 1}};
        QTest::newRow("almost white is kept") << QStringList{".n."} << QList<QRect>{{2, 1, 1, 1}};
        QTest::newRow("the colour key is no shape key")
            << QStringList{".k."} << QList<QRect>{{2, 1, 1, 1}};
    }
    void runsPerRow() {
        QFETCH(QStringList, rows);
        QFETCH(QList<QRect>, rects);
        const QRegion region = RegionFromImage(picture(rows));
        QCOMPARE(region, regionOf(rects));
        QCOMPARE(region.isEmpty(), rects.isEmpty());
    }

    void alphaIsIgnored() {
        QImage image(3, 1, QImage::Format_ARGB32);
        image.setPixel(0, 0, qRgba(255, 255, 255, 0));
        image.setPixel(1, 0, qRgba(10, 20, 30, 255));
        image.setPixel(2, 0, qRgba(255, 255, 255, 128));
        QCOMPARE(RegionFromImage(image), QRegion(2, 1, 1, 1));
    }

    void emptyPicture() { QVERIFY(RegionFromImage(QImage()).isEmpty()); }
};

QTEST_GUILESS_MAIN(RegionTest)
#include "RegionTest.moc"
