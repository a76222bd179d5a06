// SPDX-License-Identifier: GPL-3.0-or-later
// The game window under the offscreen platform: its controls, texts, cards,
// keys and a whole draw played with the mouse.
#include <QAction>
#include <QColorDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <memory>
#include <set>

#include "contract/pay_table.h"
#include "records/memory_store.h"
#include "records/player_name.h"
#include "table/options.h"
#include "table/view.h"
#include "ui/application.h"
#include "ui/card_images.h"
#include "ui/contrast.h"
#include "ui/control_names.h"
#include "ui/focus_mark.h"
#include "ui/help_viewer.h"
#include "ui/pokerf.h"

using namespace brisko;

namespace {

// Answers the window's boxes and remembers what they said.
struct RecordingDialogs final : Dialogs {
    QStringList messages;
    QStringList questions;
    bool answer = false;
    QColor colour;  // invalid: the chooser is cancelled
    void message(QWidget*, const QString& text) override { messages << text; }
    bool yesNo(QWidget*, const QString& question) override {
        questions << question;
        return answer;
    }
    bool chooseColour(QColorDialog&, const QColor&, QColor& chosen) override {
        chosen = colour;
        return colour.isValid();
    }
};

// One fresh window on a fresh in-memory store; the game is set up the way a
// finished change-game dialog leaves it.
struct Table {
    explicit Table(Language language = Language::English, ScreenMetrics screen = {1024, 768, 96},
                   int32_t gameType = 3)
        : window(clock, store, screen, &dialogs) {
        Settings& s = window.world().records.settings;
        s.gameType = GameType{gameType};
        s.targetIndex = 1;
        s.optionDoublagePropose = 0;
        s.optionSuggestionCartes = 0;
        s.optionYourName = "PAUL";
        window.chooseLanguage(language);
        window.resize(screen.width, screen.height);
        window.show();
        window.setEnabled(true);
        window.world().table.startNewGame();
    }

    template <class W = QWidget>
    W* find(const char* name) {
        return window.findChild<W*>(name);
    }
    QString text(const char* name) {
        if (auto* label = find<QLabel>(name)) return label->text();
        if (auto* button = find<QAbstractButton>(name)) return button->text();
        return "<missing " + QString(name) + ">";
    }
    QColor background(const char* name) { return find(name)->palette().color(QPalette::Window); }
    void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); }
    void activate() {
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    EngineState& cards() { return window.world().cards; }
    GameState& game() { return window.world().table.state; }
    // Double or quits offered, as F6 switches it on.
    void doubleUpOn() { switchDoubleUp(window.world().table, window.world().records); }
    // A key as the player presses it: to the focused control.
    void key(Qt::Key key) {
        QTest::keyClick(window.windowHandle(), key,
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    }
    void press(const char* button, Qt::Key key = Qt::Key_Return) {
        find(button)->setFocus();
        this->key(key);
    }
    // Deals if need be and draws two pairs, all held: the offer comes.
    void reachOffer() {
        if (find("PanelDoublage")->isVisible()) return;
        if (game().phase() != Phase::AwaitingDraw) click("ButtonTirage");
        cards().hand = {
            0, cardIndex(1, 5), cardIndex(2, 5), cardIndex(3, 9), cardIndex(4, 9), cardIndex(1, 2)};
        for (int n = 1; n <= 5; ++n) cards().held[size_t(n)] = true;
        click("ButtonTirage");
    }
    // What the window shows of `widget`, its parents' colours behind it.
    QImage shot(QWidget* widget, int around = 0) {
        const QRect r(widget->mapTo(&window, QPoint(0, 0)), widget->size());
        return window.grab(r.adjusted(-around, -around, around, around)).toImage();
    }

    FixedClock clock{45'296'789};
    MemoryStore store;
    RecordingDialogs dialogs;
    TfrmBrisko window;
};

QColor hex(unsigned rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

const char* const kRegions[] = {"panelHaut",    "panelMeilleursScores", "panelDivers",
                                "panelInfoJeu", "PanelGainsPossibles",  "SuperPanelGarde"};

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void everyControlExistsWithItsParent() {
        Table t;
        const std::pair<const char*, const char*> children[] = {
            {"SBNewGame", "panelHaut"},
            {"SBChangeGame", "panelHaut"},
            {"SBquit", "panelHaut"},
            {"SBAide", "panelHaut"},
            {"SBBossKey", "panelHaut"},
            {"panelTitreMeilleursScores", "panelMeilleursScores"},
            {"panelInitScores", "panelMeilleursScores"},
            {"panelNomJoueur", "panelDivers"},
            {"panelScoreJoueur", "panelDivers"},
            {"panelNiveau", "panelInfoJeu"},
            {"panelNumeroTirage", "panelInfoJeu"},
            {"panelObjectifNbTirages", "panelInfoJeu"},
            {"panelAide", "panelInfoJeu"},
            {"panelQuitter", "panelInfoJeu"},
            {"panelChangeGame", "panelInfoJeu"},
            {"panelNewGame", "panelInfoJeu"},
            {"panelResultat", "SuperPanelGarde"},
            {"panelBravoHighScore", "SuperPanelGarde"},
            {"PanelDoublage", "SuperPanelGarde"},
            {"ButtonNoDouble", "PanelDoublage"},
            {"PanelQuitteOuDouble", "PanelDoublage"},
            {"ButtonYesDouble", "PanelDoublage"},
            {"ButtonEncore", "SuperPanelGarde"},
            {"PanelMise", "SuperPanelGarde"},
            {"ButtonMiseMax", "SuperPanelGarde"},
            {"PanelGain", "SuperPanelGarde"},
            {"ButtonTirage", "SuperPanelGarde"},
            {"PanelCredit", "SuperPanelGarde"},
        };
        for (auto [name, parent] : children) {
            QWidget* w = t.find(name);
            QVERIFY2(w, name);
            QCOMPARE(w->parentWidget()->objectName(), QString(parent));
        }
        for (const PayRow& row : payTableRows) {
            for (Control panel : {row.titlePanel, row.valuePanel}) {
                QWidget* w = t.find(std::string(controlName(panel)).c_str());
                QVERIFY(w);
                QCOMPARE(w->parentWidget()->objectName(), QString("PanelGainsPossibles"));
            }
        }
        for (int n = 1; n <= 5; ++n) {
            const auto s = size_t(n);
            const std::string digit = std::to_string(n);
            QCOMPARE(t.window.PanelG[s], t.find(("PanelG" + digit).c_str()));
            QCOMPARE(t.window.ConteneurC[s], t.find(("ConteneurC" + digit).c_str()));
            QCOMPARE(t.window.PictureC[s], t.find(("PictureC" + digit).c_str()));
            QCOMPARE(t.window.PictureC[s]->parentWidget(), t.window.ConteneurC[s]);
            QCOMPARE(static_cast<QWidget*>(t.window.ButtonC[s]),
                     t.find(std::string(controlName(holdButton(n))).c_str()));
            QCOMPARE(t.window.panelScores[s], t.find(("panelNumero" + digit).c_str()));
            QCOMPARE(t.window.panelScores[s + 5],
                     t.find(("panelNomMeilleurScore" + digit).c_str()));
            QCOMPARE(t.window.panelScores[s + 10], t.find(("panelMeilleurScore" + digit).c_str()));
            QCOMPARE(t.window.panelScores[s]->text(), QString::number(n));
        }
        QVERIFY(t.find("buttonC2") && !t.find("ButtonC2"));
        // The colour chooser is made at its first use, and then is the window's.
        QVERIFY(!t.window.findChild<QColorDialog*>("ColorDialog1"));
        QColorDialog* chooser = &t.window.colourChooser();
        QCOMPARE(t.window.findChild<QColorDialog*>("ColorDialog1"), chooser);
        QCOMPARE(t.window.objectName(), QString("frmBrisko"));
        QCOMPARE(t.window.windowTitle(), QString("BRISKO 99"));
    }

    void looksAsDesigned() {
        Table t(Language::English, {800, 600, 96});
        // At 800 x 600 nothing is scaled.
        QCOMPARE(t.find("PanelGainsPossibles")->geometry(), QRect(221, 33, 570, 154));
        QCOMPARE(t.find("ButtonTirage")->geometry(), QRect(327, 280, 240, 51));
        QCOMPARE(t.find("SBBossKey")->geometry(), QRect(775, 4, 22, 22));
        QCOMPARE(t.find("ConteneurC3")->geometry(), QRect(230, 74, 110, 170));
        QCOMPARE(t.find("PictureC3")->geometry(), QRect(10, 10, 90, 150));
        QCOMPARE(t.find("ButtonTirage")->font().pixelSize(), 16);
        QVERIFY(t.find("ButtonTirage")->font().bold());
        QCOMPARE(t.find("panelNewGame")->font().family(), QString("Times New Roman"));
        QCOMPARE(t.find("panelNewGame")->font().pixelSize(), 19);
        QCOMPARE(t.find("SBquit")->font().family(), QString("Comic Sans MS"));

        QCOMPARE(t.background("panelMeilleursScores"), hex(0x004080));
        QCOMPARE(t.background("PanelGainsPossibles"), hex(0x008000));
        QCOMPARE(t.background("panelNumero2"), hex(0x808080));
        QCOMPARE(t.background("panelNomMeilleurScore3"), hex(0xC0C0C0));
        QCOMPARE(t.background("ConteneurC2"), hex(0x0080C0));
        QCOMPARE(t.background("PanelG5"), hex(0x00B7B7));
        QCOMPARE(t.background("PanelCredit"), hex(0x95E391));
        QCOMPARE(t.find("PanelQuitteOuDouble")->palette().color(QPalette::WindowText),
                 hex(0x004080));
        QCOMPARE(t.find<Panel>("panelTitreMeilleursScores")->bevel(), Panel::Bevel::Lowered);
        QCOMPARE(t.find<Panel>("panelNewGame")->bevel(), Panel::Bevel::Raised);
        QVERIFY(t.find<Panel>("panelNewGame")->isPushButton());

        QCOMPARE(t.find("SBNewGame")->cursor().shape(), Qt::PointingHandCursor);
        for (const char* name : {"ButtonTirage", "ButtonEncore", "ButtonC1", "panelQuitter",
                                 "panelInitScores", "ButtonYesDouble"}) {
            QCOMPARE(t.find(name)->cursor().shape(), Qt::UpArrowCursor);
        }
    }

    void timersAreStoppedWithTheirIntervals() {
        Table t;
        const std::pair<QTimer*, int> timers[] = {{&t.window.timerDepart, 1},
                                                  {&t.window.TimerVoirDouble, 500},
                                                  {&t.window.TimerYesNoDoublage, 500},
                                                  {&t.window.timerCarteDoublage, 500}};
        // In the order of Timer.
        for (size_t i = 0; i < std::size(timers); ++i) {
            auto [timer, interval] = timers[i];
            QCOMPARE(timer->interval(), interval);
            QVERIFY(!timer->isActive());
            QCOMPARE(t.window.findChild<QTimer*>(timer->objectName()), timer);
            t.window.startTimer(static_cast<Timer>(i));
            QVERIFY(timer->isActive());
        }
        t.window.StopAllTimers();
        for (auto [timer, interval] : timers) QVERIFY(!timer->isActive());
    }

    void menuHasItsItemsAndKeys() {
        Table t(Language::French);
        const std::tuple<const char*, const char*, int, const char*> items[] = {
            {"menuBrisko", "menuNewGame", Qt::Key_F2, "&Nouvelle partie"},
            {"menuBrisko", "menuChangeGame", Qt::Key_F3, "&Changer de jeu"},
            {"menuBrisko", "menuInitHighScores", Qt::Key_F4, "&Re-créer les scores"},
            {"menuBrisko", "menuQuit", Qt::Key_F9, "&Quitter"},
            {"menuOptions", "menuSuggestionCartes", Qt::Key_F5, "&Suggestion des cartes à garder"},
            {"menuOptions", "menuOptionDoublage", Qt::Key_F6, "&Doublage proposé"},
            {"menuOptions", "menuBarreInfo", Qt::Key_F7, "&Barre d'information"},
            {"menuOptions", "menuCouleurFondEcran", Qt::Key_F8, "&Couleur du fond d'écran"},
            {"menuAide", "menuSommaire", Qt::Key_F1, "&Sommaire"},
            {"menuAide", "menuApropos", Qt::Key_F12, "A &propos"},
        };
        for (auto [menuName, name, key, caption] : items) {
            auto* menu = t.window.findChild<QMenu*>(menuName);
            auto* action = t.window.findChild<QAction*>(name);
            QVERIFY2(menu && action, name);
            QVERIFY(menu->actions().contains(action));
            QCOMPARE(action->shortcut(), QKeySequence(key));
            QCOMPARE(action->text(), QString::fromUtf8(caption));
        }
        QCOMPARE(t.window.findChild<QMenu*>("menuBrisko")->title(), QString("&Brisko"));
        QCOMPARE(t.window.findChild<QMenu*>("menuAide")->title(), QString("&Aide"));
        QCOMPARE(t.window.findChild<QMenu*>("menuBrisko")->actions().size(), 6);  // 2 separators
    }

    void textsOfBothLanguages() {
        for (Language language : {Language::French, Language::English}) {
            Table t(language);
            const bool fr = language == Language::French;
            QCOMPARE(t.text("ButtonMiseMax"), QString(fr ? "MISE 20" : "BET 20"));
            QCOMPARE(t.text("ButtonTirage"), QString(fr ? "JOUER" : "DEAL"));
            QCOMPARE(t.text("panelInitScores"),
                     QString::fromUtf8(fr ? "Re-créer les scores" : "INIT HIGH SCORES"));
            QCOMPARE(t.text("PanelQuitteOuDouble"),
                     QString(fr ? "QUITTE OU DOUBLE ???" : "DOUBLE OR QUITS ???"));
            QCOMPARE(t.text("PanelTitreFlushRoyale"), QString(fr ? "Flush royal" : "Royal Flush"));
            QCOMPARE(t.text("PanelTitrePaireAsOuRoi"),
                     QString(fr ? "Rois ou mieux" : "Kings or Better"));
            QCOMPARE(t.text("PanelTitreCarre"), QString::fromUtf8(fr ? "Carré" : "Four of a Kind"));
            QCOMPARE(t.find("panelNumero3")->toolTip(),
                     QString::fromUtf8(fr ? "Numéro 3" : "Position #3"));
            QCOMPARE(t.find("panelNomMeilleurScore3")->toolTip(),
                     QString(fr ? "Nom du meilleur joueur numéro 3" : "Best player #3"));
            QCOMPARE(
                t.find("panelMeilleurScore5")->toolTip(),
                QString(fr ? "Score du meilleur joueur numéro 5" : "Score of the best player #5"));
            QCOMPARE(t.find("SBBossKey")->toolTip(),
                     QString::fromUtf8(fr ? "V'là l'boss !" : "Boss key !"));
            QCOMPARE(t.find("PanelGain")->toolTip(),
                     QString::fromUtf8(fr ? "Gain réalisé lors de ce tirage" : "Won"));
            QCOMPARE(t.text("SBquit"), QString("Q"));
            QCOMPARE(t.text("SBBossKey"), QString("B"));
            QVERIFY(t.find("buttonC2")->toolTip().contains("2"));
            QVERIFY(t.window.helpFile().endsWith(fr ? "/pokerfr.hlp" : "/pokerus.hlp"));

            // The seventh draw.
            for (int k = 0; k < 7; ++k) {
                t.click("ButtonTirage");
                t.click("ButtonTirage");
            }
            QCOMPARE(t.text("panelNumeroTirage"), QString(fr ? "Tirage #7" : "Draw #7"));
        }
    }

    void cardImageNamesByLanguage() {
        QCOMPARE(cardImageName(1, 12, Language::English), std::string("USPI12"));
        QCOMPARE(cardImageName(1, 10, Language::English), std::string("PIQUE10"));
        QCOMPARE(cardImageName(1, 12, Language::French), std::string("PIQUE12"));
        QCOMPARE(cardImageName(4, 11, Language::English), std::string("USCA11"));
        QCOMPARE(cardImageName(3, 13, Language::French), std::string("TREFLE13"));
        // Aces: "1" in the French pattern, "A" in the English game.
        QCOMPARE(cardImageName(2, 1, Language::English), std::string("USCO1"));
        QCOMPARE(cardImageName(2, 1, Language::French), std::string("COEUR1"));
        QCOMPARE(cardImageName(5, 15, Language::French), std::string("JOKER"));
        QCOMPARE(cardImageName(5, 2, Language::English), std::string("JOKER"));

        // Every card of both languages is among the 69 embedded images, and
        // all of them are used.
        std::set<std::string> names;
        for (Language language : {Language::French, Language::English}) {
            for (int suit = 1; suit <= 5; ++suit) {
                for (int value = 1; value <= 13; ++value) {
                    const std::string name = cardImageName(suit, value, language);
                    names.insert(name);
                    QSvgRenderer image(QString::fromStdString(cardImagePath(name)));
                    QVERIFY2(image.isValid(), name.c_str());
                    QVERIFY(image.viewBoxF().width() < image.viewBoxF().height());
                }
            }
        }
        QCOMPARE(int(names.size()), kCardImageCount);
    }

    void drawnCardFollowsTheHandAndTheLanguage() {
        for (Language language : {Language::French, Language::English}) {
            Table t(language);
            t.click("ButtonTirage");
            t.cards().hand = {0,      cardIndex(1, 12), cardIndex(1, 10),
                              kJoker, cardIndex(2, 1),  cardIndex(4, 13)};
            for (int slot = 1; slot <= 5; ++slot) t.window.ShowCard(slot);
            const bool en = language == Language::English;
            QCOMPARE(t.window.cardImage(1), QString(en ? "USPI12" : "PIQUE12"));
            QCOMPARE(t.window.cardImage(2), QString("PIQUE10"));
            QCOMPARE(t.window.cardImage(3), QString("JOKER"));
            QCOMPARE(t.window.cardImage(4), QString(en ? "USCO1" : "COEUR1"));
            QCOMPARE(t.window.cardImage(5), QString(en ? "USCA13" : "CARREAU13"));
            // Painted over the whole picture, at its size in device pixels.
            const QPixmap& pixmap = t.window.PictureC[3]->pixmap();
            QCOMPARE(pixmap.deviceIndependentSize().toSize(), t.window.PictureC[3]->size());
            const QImage image = pixmap.toImage();
            const QPoint middle(image.width() / 2, image.height() / 2);
            QVERIFY(qAlpha(image.pixel(middle)) == 255);
        }
    }

    void aDrawPlayedWithTheMouse() {
        Table t;
        for (const char* region : kRegions) QVERIFY(t.find(region)->isVisible());
        QCOMPARE(t.text("PanelCredit"), QString("200"));
        for (int n = 1; n <= 5; ++n) QVERIFY(!t.window.ConteneurC[size_t(n)]->isVisible());

        t.click("ButtonTirage");  // deal, charging the bet of 1
        QCOMPARE(t.text("PanelCredit"), QString("199"));
        QCOMPARE(t.text("panelNumeroTirage"), QString("Draw #1"));
        for (int n = 1; n <= 5; ++n) {
            QVERIFY(t.window.ConteneurC[size_t(n)]->isVisible());
            QVERIFY(t.window.ButtonC[size_t(n)]->isVisible());
            QVERIFY(!t.window.PanelG[size_t(n)]->isVisible());
            QVERIFY(!t.window.cardImage(n).isEmpty());
        }
        const Hand dealt = t.cards().hand;

        t.click("PictureC1");  // hold by the card
        t.click("ButtonC3");   // hold by the button
        t.click("buttonC2");
        t.click("buttonC2");  // and release again
        QVERIFY(t.window.PanelG[1]->isVisible());
        QCOMPARE(t.window.PanelG[1]->text(), QString("HELD"));
        QVERIFY(!t.window.PanelG[2]->isVisible());
        QVERIFY(t.window.PanelG[3]->isVisible());
        QVERIFY(!t.find("ButtonEncore")->isEnabled());

        t.click("ButtonTirage");  // draw
        const Hand drawn = t.cards().hand;
        QCOMPARE(drawn[1], dealt[1]);
        QCOMPARE(drawn[3], dealt[3]);
        for (int n : {2, 4, 5}) QVERIFY(drawn[size_t(n)] != dealt[size_t(n)]);
        for (int n = 1; n <= 5; ++n) {
            QVERIFY(!t.window.ButtonC[size_t(n)]->isVisible());
            QVERIFY(t.window.ConteneurC[size_t(n)]->isVisible());
        }
        const int win = t.game().win;
        QCOMPARE(t.text("PanelGain"), QString::number(win));
        QCOMPARE(t.text("PanelCredit"), QString::number(199 + win));
        QVERIFY(t.find("ButtonTirage")->isEnabled());
        QVERIFY(t.find("ButtonEncore")->isEnabled());
    }

    void winningRowTurnsRedUntilTheBetChanges() {
        Table t;
        t.click("ButtonTirage");
        // Two pairs, kept whole.
        t.cards().hand = {
            0, cardIndex(1, 5), cardIndex(2, 5), cardIndex(3, 9), cardIndex(4, 9), cardIndex(1, 2)};
        for (int n = 1; n <= 5; ++n) t.cards().held[size_t(n)] = true;
        t.click("ButtonTirage");
        const QColor red(255, 0, 0);
        QCOMPARE(t.background("PanelTitreDeuxPaires"), red);
        QCOMPARE(t.background("PanelDeuxPaires"), red);
        QCOMPARE(t.background("PanelTitreBrelan"), hex(0xC0C0C0));
        QCOMPARE(t.text("PanelGain"), QString("2"));
        for (int n : {1, 2, 3, 4}) QCOMPARE(t.window.PanelG[size_t(n)]->text(), QString("YEAH"));
        QVERIFY(!t.window.PanelG[5]->isVisible());

        t.click("ButtonEncore");  // a new bet redraws the pay table
        for (const PayRow& row : payTableRows) {
            QCOMPARE(t.background(std::string(controlName(row.titlePanel)).c_str()),
                     toQColor(row.colour));
            QCOMPARE(t.background(std::string(controlName(row.valuePanel)).c_str()),
                     toQColor(row.colour));
        }
        QCOMPARE(t.text("PanelDeuxPaires"), QString("4"));
        QCOMPARE(t.text("PanelFlushRoyale"), QString("1000"));
    }

    void functionKeysReachTheirCommands() {
        Table t;
        t.activate();
        Settings& s = t.window.world().records.settings;
        auto* suggestion = t.window.findChild<QAction*>("menuSuggestionCartes");

        QTest::keyClick(&t.window, Qt::Key_F5);
        QCOMPARE(int(s.optionSuggestionCartes), 1);
        QVERIFY(suggestion->isChecked());
        QTest::keyClick(&t.window, Qt::Key_F6);
        QCOMPARE(int(s.optionDoublagePropose), 1);
        QVERIFY(t.window.findChild<QAction*>("menuOptionDoublage")->isChecked());

        const bool barOn = s.optionBarreInfo != 0;
        QTest::keyClick(&t.window, Qt::Key_F7);
        QCOMPARE(t.find("panelResultat")->isVisible(), !barOn);
        QTest::keyClick(&t.window, Qt::Key_F7);
        QCOMPARE(t.find("panelResultat")->isVisible(), barOn);
        if (barOn) QTest::keyClick(&t.window, Qt::Key_F7);
        // Hidden, the result line still follows the game.
        t.click("ButtonTirage");
        QVERIFY(!t.find("panelResultat")->isVisible());
        QVERIFY(t.text("panelResultat").contains("Click on the buttons below the cards"));
        QTest::keyClick(&t.window, Qt::Key_F7);
        QVERIFY(t.find("panelResultat")->isVisible());

        t.dialogs.colour = QColor(0x12, 0x34, 0x56);
        QTest::keyClick(&t.window, Qt::Key_F8);
        QCOMPARE(s.optionCouleurFondEcran, rgb(0x12, 0x34, 0x56));
        QCOMPARE(t.window.centralWidget()->palette().color(QPalette::Window),
                 QColor(0x12, 0x34, 0x56));

        t.click("ButtonTirage");
        QCOMPARE(t.game().drawNumber, 1);
        QTest::keyClick(&t.window, Qt::Key_F2);  // new game
        QCOMPARE(t.game().drawNumber, 0);
        QCOMPARE(t.text("PanelCredit"), QString("200"));

        t.dialogs.answer = false;
        QTest::keyClick(&t.window, Qt::Key_F4);
        QCOMPARE(t.dialogs.questions.last(),
                 QString("Do you really want to set default high scores ?"));
        QTest::keyClick(&t.window, Qt::Key_F9);
        QCOMPARE(t.dialogs.questions.last(), QString("Do you really want to quit ?"));
        QVERIFY(t.window.isVisible());  // No: the game goes on

        QTest::keyClick(&t.window, Qt::Key_F12);
        QVERIFY(t.dialogs.messages.last().startsWith("BRISKO 99\nVideo poker."));
        QTest::keyClick(&t.window, Qt::Key_F1);
        auto* help = t.window.findChild<QTextBrowser*>("helpViewer");
        QVERIFY(help && help->isVisible());
        QVERIFY(help->toPlainText().contains("Double or quits"));
        QVERIFY(!help->openLinks() && !help->openExternalLinks());  // nothing but our own text
        QTest::keyClick(&t.window, Qt::Key_F3);  // a window without its dialog: nothing breaks
    }

    // The About box in the game's language; the messages are plain boxes,
    // wide enough for the whole of their title.
    void messagesArePlainAndSpeakTheLanguage() {
        Table t(Language::French);
        t.activate();
        QTest::keyClick(&t.window, Qt::Key_F12);
        QVERIFY(t.dialogs.messages.last().startsWith(
            QString::fromUtf8("BRISKO 99\nVidéo poker. Logiciel libre")));
        const std::unique_ptr<QMessageBox> box(
            plainMessageBox(&t.window, "BRISKO 99", QString::fromUtf8("A bientôt !!!")));
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->standardButtons(), QMessageBox::Ok);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        const QFontMetrics metrics(box->font());
        QVERIFY(box->width() >= metrics.horizontalAdvance("BRISKO 99") + 6 * metrics.height());
    }

    void quitAfterYesSavesAndCloses() {
        Table t(Language::French);
        t.dialogs.answer = true;
        t.window.world().records.settings.optionYourName = "ZOE";
        t.click("panelQuitter");
        QCOMPARE(t.dialogs.questions.last(), QString::fromUtf8("Voulez-vous vraiment arrêter ?"));
        QCOMPARE(t.dialogs.messages.last(), QString::fromUtf8("A bientôt !!!"));
        QVERIFY(!t.window.isVisible());
        QCOMPARE(t.store.readString("optionYourName"), std::string("ZOE"));
    }

    void keysOneToFiveClickTheCards() {
        Table t;
        t.activate();
        t.click("ButtonTirage");
        QTest::keyClick(&t.window, Qt::Key_2);
        QTest::keyClick(&t.window, Qt::Key_5);
        QTest::keyClick(&t.window, Qt::Key_5);
        QTest::keyClick(&t.window, Qt::Key_4);
        QTest::keyClick(&t.window, Qt::Key_3, Qt::KeypadModifier);  // NumLock on
        const SlotFlags held = t.cards().held;
        QVERIFY(!held[1] && held[2] && held[3] && held[4] && !held[5]);
        QVERIFY(t.window.PanelG[2]->isVisible());
    }

    // A key held down repeats; only its first press counts. Enter, Space,
    // the digits and the Alt letters of the offer press nothing when they
    // repeat, wherever the focus is, and the double-up never starts that way.
    void aHeldKeyPressesNothingMore() {
        Table t;
        t.doubleUpOn();
        t.activate();
        auto repeat = [&](Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                          const QString& text = {}) {
            // As the window system reports a repeat.
            qt_handleKeyEvent(t.window.windowHandle(), QEvent::KeyPress, key, mods, text, true);
            qt_handleKeyEvent(t.window.windowHandle(), QEvent::KeyRelease, key, mods, text, true);
        };
        auto everyRepeat = [&] {
            repeat(Qt::Key_Return, Qt::NoModifier, "\r");
            repeat(Qt::Key_Enter, Qt::KeypadModifier, "\r");
            repeat(Qt::Key_Space, Qt::NoModifier, " ");
            repeat(Qt::Key_3, Qt::NoModifier, "3");
            repeat(Qt::Key_4, Qt::KeypadModifier, "4");
            repeat(Qt::Key_D, Qt::AltModifier, "d");
            repeat(Qt::Key_Q, Qt::AltModifier, "q");
            repeat(Qt::Key_F2);
        };
        t.find("ButtonTirage")->setFocus();
        everyRepeat();
        QCOMPARE(t.game().phase(), Phase::AwaitingDeal);
        QCOMPARE(t.game().drawNumber, 0);
        t.press("ButtonTirage");
        t.find("ButtonTirage")->setFocus();
        everyRepeat();
        QCOMPARE(t.game().phase(), Phase::AwaitingDraw);
        QVERIFY(!t.cards().held[3] && !t.cards().held[4]);
        t.reachOffer();
        for (const char* button : {"ButtonYesDouble", "ButtonNoDouble"}) {
            t.find(button)->setFocus();
            everyRepeat();
            QVERIFY(t.find("PanelDoublage")->isVisible());
        }
        t.press("ButtonYesDouble");
        QCOMPARE(t.game().phase(), Phase::DoubleUpPick);
        t.window.ButtonC[2]->setFocus();
        everyRepeat();
        QCOMPARE(t.game().phase(), Phase::DoubleUpPick);
        QVERIFY(t.window.timerCarteDoublage.isActive());
    }

    void theDoubleUpPickByKey() {
        Table t;
        t.doubleUpOn();
        t.click("ButtonTirage");
        t.cards().hand = {
            0, cardIndex(1, 5), cardIndex(2, 5), cardIndex(3, 9), cardIndex(4, 9), cardIndex(1, 2)};
        for (int n = 1; n <= 5; ++n) t.cards().held[size_t(n)] = true;
        t.click("ButtonTirage");
        QVERIFY(t.find("PanelDoublage")->isVisible());
        QCOMPARE(t.text("ButtonYesDouble"), QString("&Double up to : 4"));
        QVERIFY(t.window.TimerYesNoDoublage.isActive());
        t.click("ButtonYesDouble");
        QVERIFY(t.window.timerCarteDoublage.isActive());
        QVERIFY(t.window.ConteneurC[1]->isVisible());
        QVERIFY(!t.window.ConteneurC[3]->isVisible());
        t.activate();
        QTest::keyClick(&t.window, Qt::Key_3);
        QVERIFY(!t.window.timerCarteDoublage.isActive());
        QVERIFY(t.window.ConteneurC[3]->isVisible());
    }

    void enterPressesTheFocusedButton() {
        Table t;
        t.doubleUpOn();
        t.activate();
        t.press("ButtonTirage");  // deals while betting
        QCOMPARE(t.game().phase(), Phase::AwaitingDraw);
        for (int slot = 2; slot <= 5; ++slot) {
            t.reachOffer();  // the keypad's Enter draws while holding
            t.press("ButtonYesDouble");
            QCOMPARE(t.game().phase(), Phase::DoubleUpPick);
            t.window.ButtonC[size_t(slot)]->setFocus();
            t.key(slot % 2 == 0 ? Qt::Key_Return : Qt::Key_Enter);
            QVERIFY(t.window.ConteneurC[size_t(slot)]->isVisible());
            QVERIFY(!t.window.timerCarteDoublage.isActive());
        }
        t.reachOffer();
        const int32_t credit = t.game().credit;
        t.press("ButtonNoDouble", Qt::Key_Enter);
        QVERIFY(!t.find("PanelDoublage")->isVisible());
        QCOMPARE(t.game().credit, credit + t.game().win);
    }

    // On every background colour F8 offers, the focused button of the offer,
    // of the pick and of the table wears a ring that stands out at 3:1 or
    // more against what is around the button and against its face.
    void theFocusedButtonWearsAMark() {
        Table t;
        t.doubleUpOn();
        t.activate();
        auto marked = [&](QPushButton* button) {
            button->setFocus();
            const QImage on = t.shot(button, 1);
            button->clearFocus();
            const QImage off = t.shot(button, 1);
            const int band = FocusMark::bandWidth(button), y = on.height() / 2;
            QVERIFY2(contrastRatio(on.pixelColor(1 + band / 2, y), off.pixelColor(0, y)) >= 3,
                     qPrintable(button->objectName()));
            QVERIFY2(contrastRatio(on.pixelColor(1 + band + band / 2, y),
                                   off.pixelColor(1 + 2 * band + 1, y)) >= 3,
                     qPrintable(button->objectName()));
        };
        for (const QColor colour : {QColor(0, 0, 0x40), QColor(Qt::black), QColor(Qt::white),
                                    QColor(0x80, 0x80, 0xFF), QColor(Qt::yellow)}) {
            t.dialogs.colour = colour;
            t.key(Qt::Key_F8);
            marked(t.find<QPushButton>("ButtonTirage"));
            t.reachOffer();
            marked(t.find<QPushButton>("ButtonNoDouble"));
            marked(t.find<QPushButton>("ButtonYesDouble"));
            t.click("ButtonYesDouble");
            for (size_t slot = 2; slot <= 5; ++slot) marked(t.window.ButtonC[slot]);
            QTest::mouseClick(t.window.ButtonC[2], Qt::LeftButton);
            if (t.find("PanelDoublage")->isVisible()) t.click("ButtonNoDouble");
        }
    }

    // The text of every button against the face painted under it, at 4.5:1
    // or more: pixels that change when the caption goes are the caption's.
    void everyCaptionReadsOnItsFace() {
        Table t(Language::French);
        t.doubleUpOn();
        QSet<QString> checked;
        auto check = [&] {
            for (QWidget* w : t.window.findChildren<QWidget*>()) {
                auto* button = qobject_cast<QAbstractButton*>(w);
                auto* panel = qobject_cast<Panel*>(w);
                if (!(button || (panel && panel->isPushButton())) || !w->isVisible() ||
                    !w->isEnabled()) {
                    continue;
                }
                const QString text = button ? button->text() : panel->text();
                if (text.isEmpty()) continue;
                const QImage with = t.shot(w);
                button ? button->setText("") : panel->setText("");
                const QImage without = t.shot(w);
                button ? button->setText(text) : panel->setText(text);
                const QColor ink =
                    w->palette().color(button ? QPalette::ButtonText : QPalette::WindowText);
                double worst = 21;
                for (int y = 0; y < with.height(); ++y) {
                    for (int x = 0; x < with.width(); ++x) {
                        if (with.pixel(x, y) == without.pixel(x, y)) continue;
                        worst = std::min(worst, contrastRatio(ink, without.pixelColor(x, y)));
                    }
                }
                QVERIFY2(worst >= 4.5, qPrintable(w->objectName() + ": " + QString::number(worst)));
                checked << w->objectName();
            }
        };
        check();
        t.reachOffer();
        check();
        for (const char* name :
             {"ButtonNoDouble", "ButtonYesDouble", "ButtonTirage", "ButtonEncore", "ButtonMiseMax",
              "panelNewGame", "panelInitScores", "SBquit"}) {
            QVERIFY2(checked.contains(name), name);
        }
    }

    void helpOpensCentredOverTheGameAndClosesWithEscape() {
        for (Language language : {Language::French, Language::English}) {
            Table t(language);
            t.activate();
            t.key(Qt::Key_F1);
            auto* help = t.window.findChild<HelpViewer*>("helpViewer");
            QVERIFY(help && QTest::qWaitForWindowExposed(help));
            const bool fr = language == Language::French;
            QCOMPARE(help->windowTitle(), fr ? QString("BRISKO 99 - Aide") : "BRISKO 99 - Help");
            // Kept above the table: a window the window manager knows is the
            // game's own.
            QCOMPARE(help->windowType(), Qt::Dialog);
            QCOMPARE(help->windowHandle()->transientParent(), t.window.windowHandle());
            // Every key of the table, and nothing about how the help was made.
            const QString text = help->toPlainText();
            for (const char* key : {"Tab", "Alt+Q", "Alt+D", "1 ", "F12"}) {
                QVERIFY2(text.contains(key), key);
            }
            QVERIFY(text.contains(fr ? "Entrée, Espace" : "Enter, Space"));
            QVERIFY(text.contains(fr ? "demi-seconde" : "half second"));
            QVERIFY(!text.contains("brisko-analyze"));
            const QPoint off = help->frameGeometry().center() - t.window.frameGeometry().center();
            QVERIFY2(off.manhattanLength() <= 4,
                     qPrintable(QString("%1,%2").arg(off.x()).arg(off.y())));
            QTRY_COMPARE(help->horizontalScrollBar()->maximum(), 0);
            QApplication::setActiveWindow(help);
            QTest::keyClick(help, Qt::Key_Escape);
            QVERIFY(!help->isVisible());
        }
    }

    // The dialog and brisko-analyze take a name through upperCaseName: over
    // the letters it knows, exactly what the toolkit makes of them.
    void namesAreUpperCasedAsTheToolkitDoes() {
        for (auto [first, last] : {std::pair{0x1, 0x17F}, {0x386, 0x3CE}, {0x400, 0x52F}}) {
            for (char32_t c = char32_t(first); c <= char32_t(last); ++c) {
                const QString letter = QString::fromUcs4(&c, 1);
                QCOMPARE(QString::fromStdString(upperCaseName(letter.toStdString())),
                         letter.toUpper());
            }
        }
    }

    void bossKeyOnlyMinimises() {
        Table t;
        t.window.startTimer(Timer::TimerYesNoDoublage);
        t.click("SBBossKey");
        QVERIFY(t.window.isMinimized());
        QVERIFY(t.window.TimerYesNoDoublage.isActive());
    }

    void closingStopsTheTimers() {
        Table t;
        t.window.startTimer(Timer::timerCarteDoublage);
        t.window.close();
        QVERIFY(!t.window.timerCarteDoublage.isActive());
    }

    void everyControlIsOnTheScreen_data() {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<double>("dpi");
        QTest::newRow("800x600") << 800 << 600 << 96.0;
        QTest::newRow("1024x768") << 1024 << 768 << 96.0;
        QTest::newRow("1280x1024") << 1280 << 1024 << 96.0;
        QTest::newRow("1000x750") << 1000 << 750 << 96.0;
        QTest::newRow("1024x768 at 120 dpi") << 819 << 614 << 120.0;
        QTest::newRow("1920x1080") << 1920 << 1080 << 96.0;
        QTest::newRow("2560x1440") << 2560 << 1440 << 96.0;
        QTest::newRow("3840x2160") << 3840 << 2160 << 96.0;
    }

    void everyControlIsOnTheScreen() {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(double, dpi);
        Table t(Language::English, {w, h, dpi});
        QTest::qWait(0);
        const QRect screen(0, 0, w, h);
        int checked = 0;
        for (QWidget* c : t.window.findChildren<QWidget*>()) {
            if (c->objectName().isEmpty() || c->isWindow() || c->parentWidget() == nullptr)
                continue;
            if (qobject_cast<QMenu*>(c) || c->objectName().startsWith("qt_")) continue;
            const QRect r(c->mapTo(&t.window, QPoint(0, 0)), c->size());
            QVERIFY2(screen.contains(r), qPrintable(c->objectName()));
            ++checked;
        }
        QVERIFY(checked > 85);
        // Centred when the screen is wider than the table.
        const int tableWidth = t.window.screenScale().length(800);
        const int left = t.find("panelMeilleursScores")->mapTo(&t.window, QPoint(0, 0)).x();
        QCOMPARE(left, (w - tableWidth) / 2 + t.window.screenScale().length(4));
        QCOMPARE(t.window.PictureC[1]->size(), QSize(t.window.cardWidth(), t.window.cardHeight()));
    }

    // A window made smaller than the table shrinks the table into it, the
    // cards drawn sharp at their new size, down to a smallest size; made
    // large again, the table is back at the screen's scale.
    void aSmallerWindowShowsTheWholeTable() {
        Table t(Language::English, {1024, 768, 96});
        t.doubleUpOn();
        t.reachOffer();
        QVERIFY(t.find("PanelDoublage")->isVisible());
        const QSize card = t.window.PictureC[5]->size();
        auto wholeTableIn = [&](QSize size) {
            const QRect client(QPoint(0, 0), size);
            for (const char* name : {"ButtonTirage", "PanelDoublage", "ButtonYesDouble",
                                     "ConteneurC5", "SBBossKey", "panelNewGame", "PanelCredit"}) {
                QWidget* c = t.find(name);
                const QRect r(c->mapTo(&t.window, QPoint(0, 0)), c->size());
                QVERIFY2(client.contains(r), name);
            }
            CardPicture* picture = t.window.PictureC[5];
            QCOMPARE(picture->pixmap().size(), picture->size() * picture->devicePixelRatioF());
        };
        t.window.resize(700, 500);
        QTest::qWait(0);
        QCOMPARE(t.window.size(), QSize(700, 500));
        wholeTableIn(t.window.size());
        QVERIFY(t.window.PictureC[5]->width() < card.width());
        QCOMPARE(t.window.tableScale().m, 700);

        t.window.resize(100, 100);  // no smaller than the smallest table
        QTest::qWait(0);
        QVERIFY(t.window.width() >= kSmallestWidth && t.window.height() > 370);
        wholeTableIn(t.window.size());

        t.window.resize(1024, 768);
        QTest::qWait(0);
        QCOMPARE(t.window.PictureC[5]->size(), card);
        QCOMPARE(t.window.tableScale().m, t.window.screenScale().m);
    }

    void storeErrorIsShownAndTheGameGoesOn() {
        FixedClock clock(1000);
        MemoryStore store;
        store.put("Software\\Caldimo\\BRISKO 99", "niveau", kRegSz, {'x', 0});
        RecordingDialogs dialogs;
        TfrmBrisko window(clock, store, ScreenMetrics{1024, 768, 96}, &dialogs);
        // Told in the player's language once it is chosen, at the next save.
        QCOMPARE(dialogs.messages.size(), 0);
        window.chooseLanguage(Language::English);
        window.show();
        window.setEnabled(true);
        window.world().table.startNewGame();
        window.findChild<QAction*>("menuSuggestionCartes")->trigger();
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].startsWith(
            "Type de données incorrect pour 'niveau'\nThe settings hold values of a wrong type "
            "or length. Could not be read: 'niveau'."));
        QTest::mouseClick(window.findChild<QWidget*>("ButtonTirage"), Qt::LeftButton);
        QCOMPARE(window.world().table.state.drawNumber, 1);
    }

    void aRefusedSaveIsShownAndTheGameGoesOn() {
        Table t;
        t.activate();
        t.store.refuseWrites = true;
        QTest::keyClick(&t.window, Qt::Key_F5);  // the option saves at once
        QCOMPARE(t.dialogs.messages.size(), 1);
        QVERIFY(t.dialogs.messages[0].startsWith(
            QString::fromUtf8("Erreur à définition des données pour '")));
        t.click("ButtonTirage");
        QCOMPARE(t.game().drawNumber, 1);

        // Quitting still asks, after saying that the save failed.
        t.dialogs.answer = true;
        t.click("SBquit");
        QCOMPARE(t.dialogs.messages.size(), 3);
        QCOMPARE(t.dialogs.messages[2], QString("See you !!!"));
        QVERIFY(!t.window.isVisible());
    }

    // Escape out of a menu gives the keys back: Enter then presses the
    // focused button of the table, and the menu stays shut.
    void escapeFromAMenuGivesTheKeysBack() {
        Table t;
        t.activate();
        QWidget* deal = t.find("ButtonTirage");
        deal->setFocus();
        auto* options = t.find<QMenu>("menuOptions");
        t.window.menuBar()->setActiveAction(options->menuAction());
        QTRY_VERIFY(options->isVisible());
        QTest::keyClick(options, Qt::Key_Escape);
        QTRY_COMPARE(t.window.focusWidget(), deal);
        QVERIFY(!t.window.menuBar()->hasFocus());
        t.key(Qt::Key_Return);
        QVERIFY(!options->isVisible());
        QCOMPARE(t.game().drawNumber, 1);
    }

    void errorsReachingTheEventLoopAreCaught() {
        auto* app = qobject_cast<BriskoApplication*>(QCoreApplication::instance());
        QVERIFY(app);
        QTimer::singleShot(0, [] { throw StoreError("Erreur à définition des données pour 'x'"); });
        QTest::qWait(20);
        QCOMPARE(app->lastError(), QString::fromUtf8("Erreur à définition des données pour 'x'"));
    }
};

int main(int argc, char** argv) {
    BriskoApplication app(argc, argv);
    app.showErrors = false;
    QApplication::setStyle("Fusion");
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
