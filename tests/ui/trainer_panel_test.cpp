// SPDX-License-Identifier: GPL-3.0-or-later
// The trainer's list as it shows a listing, in French and in English.
#include <QTest>

#include "ui/trainer_dock.h"
#include "ui/trainer_panel.h"

using namespace brisko;

class TrainerPanelTest : public QObject {
    Q_OBJECT

  private slots:
    // Four to the royal flush at a bet of 5, the player holding the ace and
    // the king: the five best holds, then the player's.
    void showsTheBestHoldsAndTheCurrentOne() {
        const FastEvaluator evaluator;
        const Hand dealt{0,
                         cardIndex(1, 1),
                         cardIndex(1, 13),
                         cardIndex(1, 12),
                         cardIndex(1, 11),
                         cardIndex(4, 9)};
        const DealAnalysis deal = analyseDeal(evaluator, dealt, GameType::NoJoker);
        WindowTexts texts;
        texts.setLanguage(Language::French);
        TrainerPanel panel(texts);
        panel.showListing({dealt, trainerRows(deal, 0b00011, 5)});
        const QTableWidget* table = panel.table();
        QCOMPARE(table->rowCount(), 6);
        QCOMPARE(table->item(0, 0)->text(), QString::fromUtf8("★ A♠ R♠ D♠ V♠"));
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("66,60"));  // 626/47 x 5
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("13,32"));
        QVERIFY(table->item(0, 0)->font().bold());
        QVERIFY(!table->item(1, 0)->font().bold());
        QCOMPARE(table->item(5, 0)->text(), QString::fromUtf8("A♠ R♠"));
        QCOMPARE(table->item(5, 2)->data(Qt::AccessibleTextRole).toString(),
                 QString::fromUtf8("Votre choix, A♠ R♠, 2,70 crédits, 0,54 par crédit"));
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QString::fromUtf8("Gain espéré"));

        texts.setLanguage(Language::English);
        panel.retranslate();
        QCOMPARE(table->item(0, 0)->text(), QString::fromUtf8("★ A♠ K♠ Q♠ J♠"));
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("66.60"));
        QCOMPARE(table->item(0, 0)->data(Qt::AccessibleTextRole).toString(),
                 QString::fromUtf8("Best play, A♠ K♠ Q♠ J♠, 66.60 credits, 13.32 per credit"));
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Expected win"));
    }

    // The panel is told the same listing at each of the game's events and
    // makes its rows again only when they would differ: after a new scale
    // (their font) or a change of the suggestion's mark, not otherwise.
    void theSameListingIsShownAgainInANewFontOrMark() {
        const FastEvaluator evaluator;
        const Hand dealt{0,
                         cardIndex(2, 1),
                         cardIndex(2, 13),
                         cardIndex(3, 5),
                         cardIndex(4, 9),
                         cardIndex(1, 2)};
        const DealAnalysis deal = analyseDeal(evaluator, dealt, GameType::NoJoker);
        const TrainerListing listing{dealt, trainerRows(deal, 0, 1, 5, true)};
        WindowTexts texts;
        texts.setLanguage(Language::English);
        TrainerDock dock(texts, 300, 11, nullptr);
        dock.retranslate();
        dock.showListing(listing);
        QTableWidget* table = dock.panel()->table();
        const QTableWidgetItem* first = table->item(0, 0);
        dock.showListing(listing);
        QCOMPARE(table->item(0, 0), first);

        dock.setScale(600, 22);
        dock.showListing(listing);
        QCOMPARE(table->item(0, 0)->font().pixelSize(), 22);

        int suggested = -1;
        for (int row = 0; row < table->rowCount(); ++row) {
            if (listing.rows[size_t(row)].suggested) suggested = row;
        }
        QVERIFY(suggested >= 0);
        QVERIFY(!table->item(suggested, 0)->text().contains("suggest", Qt::CaseInsensitive));
        dock.panel()->setMarkSuggestion(true);
        dock.showListing(listing);
        QVERIFY(table->item(suggested, 0)->text().contains("suggest", Qt::CaseInsensitive));
    }

    // The widest holds, four tens and the joker at a bet of 20, each on one
    // line in the panel beside the smallest table and beside the table of a
    // 3840-pixel screen: the panel and its text at the table's scale.
    void holdsOfFiveCardsFitOnOneLineAtEverySize() {
        const FastEvaluator evaluator;
        const Hand dealt{
            0, cardIndex(2, 10), cardIndex(1, 10), cardIndex(4, 10), cardIndex(3, 10), kJoker};
        const DealAnalysis deal = analyseDeal(evaluator, dealt, GameType::JokerEveryDeal);
        for (Language language : {Language::French, Language::English}) {
            WindowTexts texts;
            texts.setLanguage(language);
            for (int32_t m : {560, 3840}) {
                const int width = (TrainerDock::kDesignWidth * m + 400) / 800;
                TrainerDock dock(texts, width, (TrainerDock::kDesignFont * m + 400) / 800, nullptr);
                dock.retranslate();
                dock.showListing({dealt, trainerRows(deal, 0b01111, 20)});
                dock.resize(width, 600);
                dock.show();
                QVERIFY(QTest::qWaitForWindowExposed(&dock));
                const QTableWidget* table = dock.panel()->table();
                for (int row = 0; row < table->rowCount(); ++row) {
                    const QTableWidgetItem* cards = table->item(row, 0);
                    const int text = QFontMetrics(cards->font().resolve(table->font()))
                                         .horizontalAdvance(cards->text());
                    QVERIFY2(table->columnWidth(0) >= text + 6,
                             qPrintable(QString("%1 at %2: %3 in %4")
                                            .arg(cards->text())
                                            .arg(m)
                                            .arg(text)
                                            .arg(table->columnWidth(0))));
                }
            }
        }
    }
};

QTEST_MAIN(TrainerPanelTest)
#include "trainer_panel_test.moc"
