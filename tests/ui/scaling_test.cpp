// SPDX-License-Identifier: GPL-3.0-or-later
// The fitting of the 800 x 600 design to real screens: pure arithmetic.
#include <QTest>

#include "ui/scaling.h"

using brisko::ScreenScale;
using brisko::screenScale;

class ScalingTest : public QObject {
    Q_OBJECT

  private slots:
    void halvesGoToTheEvenNeighbour() {
        QCOMPARE(brisko::roundHalfEven(225, 2), 112);  // 112.5
        QCOMPARE(brisko::roundHalfEven(227, 2), 114);  // 113.5
        QCOMPARE(brisko::roundHalfEven(25, 2), 12);
        QCOMPARE(brisko::roundHalfEven(1151, 10), 115);
        QCOMPARE(brisko::roundHalfEven(1156, 10), 116);
        QCOMPARE(brisko::roundHalfEven(-5, 2), -2);
    }

    void screens_data() {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<int>("m");
        QTest::addColumn<int>("cardW");
        QTest::addColumn<int>("cardH");
        QTest::addColumn<int>("frameW");
        QTest::addColumn<int>("frameH");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::newRow("800x600") << 800 << 600 << 96.0 << 800 << 90 << 150 << 110 << 170 << 10
                                 << 10;
        QTest::newRow("1024x768") << 1024 << 768 << 96.0 << 1024 << 115 << 192 << 140 << 217 << 13
                                  << 13;
        QTest::newRow("1280x1024")
            << 1280 << 1024 << 96.0 << 1280 << 144 << 256 << 176 << 290 << 16 << 17;
        QTest::newRow("1000x750") << 1000 << 750 << 96.0 << 1000 << 112 << 188 << 137 << 213 << 12
                                  << 12;
        QTest::newRow("1024x768 at 120 dpi")
            << 1024 << 768 << 120.0 << 819 << 92 << 154 << 112 << 174 << 10 << 10;
        QTest::newRow("1920x1080")
            << 1920 << 1080 << 96.0 << 1440 << 162 << 270 << 198 << 306 << 18 << 18;
        QTest::newRow("2560x1440")
            << 2560 << 1440 << 96.0 << 1920 << 216 << 360 << 264 << 408 << 24 << 24;
        QTest::newRow("3840x2160")
            << 3840 << 2160 << 96.0 << 2880 << 324 << 540 << 396 << 612 << 36 << 36;
    }

    void screens() {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(double, dpi);
        const ScreenScale s = screenScale(w, h, dpi);
        QTEST(s.m, "m");
        QTEST(s.cardWidth, "cardW");
        QTEST(s.cardHeight, "cardH");
        QTEST(s.frameWidth, "frameW");
        QTEST(s.frameHeight, "frameH");
        QTEST(s.pictureLeft, "left");
        QTEST(s.pictureTop, "top");

        // The whole client area, and every card frame with its hold buttons
        // below, lie on the screen (converted to 96 pixels per inch).
        const int width96 = int(w * 96 / dpi);
        QVERIFY(s.length(brisko::kClientWidth) <= width96);
        QVERIFY(s.length(brisko::kClientHeight) <= s.h);
        QVERIFY(s.length(191 + 280 + 51) <= s.h);  // bottom of the deal button
        QVERIFY(s.length(191 + 74) + s.frameHeight <= s.h);
    }

    // The mend only ever narrows the reference: on 4:3 and 5:4 screens it is
    // the width, on wider ones the height's 4:3 width.
    void referenceWidthIsTheNarrowerOfWidthAndHeight() {
        for (int w = 640; w <= 4096; w += 64) {
            for (int h = 480; h <= 2400; h += 48) {
                const ScreenScale s = screenScale(w, h, 96);
                QCOMPARE(s.m, std::min(w, h * 4 / 3));
                QVERIFY(s.length(brisko::kClientHeight) <= h);
            }
        }
    }
};

QTEST_APPLESS_MAIN(ScalingTest)
#include "scaling_test.moc"
