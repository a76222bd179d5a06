// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears of the table follows the game: the names of the
// cards, the pay table and the double-up as the commands change them.
#include <QAccessible>
#include <QTest>

#include "records/memory_store.h"
#include "ui/accessible_names.h"
#include "ui/application.h"
#include "ui/pokerf.h"

using namespace brisko;

namespace {

struct Table {
    Table() : window(clock, store, ScreenMetrics{1024, 768, 96}) {
        Settings& s = window.world().records.settings;
        s.gameType = GameType{3};
        s.targetIndex = 1;
        s.optionDoublagePropose = 1;
        s.optionSuggestionCartes = 0;
        s.optionYourName = "PAUL";
        window.chooseLanguage(Language::French);
        window.show();
        window.setEnabled(true);
        window.startNewGame();
    }
    void click(const char* name) {
        QTest::mouseClick(window.findChild<QWidget*>(name), Qt::LeftButton);
    }
    // As the accessibility tree reads it.
    QString said(const char* name, QAccessible::Text text = QAccessible::Name) {
        QAccessibleInterface* i =
            QAccessible::queryAccessibleInterface(window.findChild<QWidget*>(name));
        return i ? i->text(text) : QString("<none>");
    }
    QString card(int32_t slot) {
        return QString::fromStdString(
            spokenCard(window.windowTexts(), window.world().cards.hand[size_t(slot)]));
    }

    FixedClock clock{45'296'789};
    MemoryStore store;
    TfrmBrisko window;
};

}  // namespace

class AccessibleNamesTest : public QObject {
    Q_OBJECT

  private slots:
    void cardsAreSaidInTheLanguage() {
        WindowTexts texts;
        texts.setLanguage(Language::French);
        QCOMPARE(spokenCard(texts, cardIndex(1, 13)), std::string("Roi de pique"));
        QCOMPARE(spokenCard(texts, kJoker), std::string("Joker"));
        texts.setLanguage(Language::English);
        QCOMPARE(spokenCard(texts, cardIndex(4, 1)), std::string("Ace of diamonds"));
    }

    // Bet, deal and hold each change what is heard.
    void namesFollowTheCommands() {
        Table t;
        QCOMPARE(t.said("PictureC1"), QString("Carte cachée"));
        QCOMPARE(t.said("PanelTitreFlushRoyale"), QString("Flush royal : gain de 500 crédits"));
        t.click("ButtonMiseMax");  // bets 20 and deals
        QCOMPARE(t.said("PanelFlushRoyale"), QString("Flush royal : gain de 10000 crédits"));
        QCOMPARE(t.said("PanelMise"), QString("Mise actuelle : 20"));
        QCOMPARE(t.said("PictureC1"), t.card(1));
        QCOMPARE(t.said("ButtonTirage", QAccessible::Description),
                 QString("Remplacer les cartes qui ne sont pas gardées"));
        QCOMPARE(t.said("panelResultat"), t.window.findChild<QLabel*>("panelResultat")->text());
        t.click("ButtonC1");
        QCOMPARE(t.said("PictureC1"), t.card(1) + ", gardée");
        QCOMPARE(t.said("ButtonC1"), "Garder ou remplacer : " + t.card(1) + ", gardée");
    }

    // In the pick: the dealer's card, the face-down ones and their buttons.
    void thePickNamesTheFaceDownCards() {
        Table t;
        t.click("ButtonTirage");
        EngineState& cards = t.window.world().cards;
        cards.hand = {0, cardIndex(1, 5), cardIndex(2, 5), cardIndex(3, 9), cardIndex(4, 9), 2};
        for (int n = 1; n <= 5; ++n) cards.held[size_t(n)] = true;
        t.click("ButtonTirage");
        QCOMPARE(t.said("ButtonNoDouble"), QString("Quitte, Gain : 2"));
        QCOMPARE(t.said("ButtonYesDouble"), QString("Doubler à : 4"));
        t.click("ButtonYesDouble");
        QCOMPARE(t.said("PictureC1"), "Carte du donneur : " + t.card(1));
        QCOMPARE(t.said("PictureC3"), QString("Carte cachée"));
        QCOMPARE(t.said("ButtonC3"), QString("Choisir la carte cachée 3"));
    }
};

int main(int argc, char** argv) {
    BriskoApplication app(argc, argv);
    app.showErrors = false;
    AccessibleNamesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "accessible_names_test.moc"
