// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program under the offscreen platform, on a store file in a fresh
// configuration folder and with a fixed clock: the splash, the change-game
// dialog, a game played to its end with the mouse, the options and quitting,
// and a second start that finds everything again.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QAction>
#include <QColorDialog>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <memory>

#include "records/file_store.h"
#include "records/memory_store.h"
#include "records/statistics_store.h"
#include "records/user_store.h"
#include "ui/application.h"
#include "ui/contrast.h"
#include "ui/focus_mark.h"
#include "ui/program.h"

using namespace brisko;

namespace {

const std::string kKey = "Software\\Caldimo\\BRISKO 99\\";

// Answers the boxes and remembers what they said.
struct RecordingDialogs final : Dialogs {
    QStringList messages;
    QStringList questions;
    bool answer = false;
    QColor colour;  // invalid: the chooser is cancelled
    QColor offered;
    void message(QWidget*, const QString& text) override { messages << text; }
    bool yesNo(QWidget*, const QString& question) override {
        questions << question;
        return answer;
    }
    bool chooseColour(QColorDialog&, const QColor& current, QColor& chosen) override {
        offered = current;
        chosen = colour;
        return colour.isValid();
    }
};

// One run of the program on the store file of $XDG_CONFIG_HOME.
struct Run {
    Run() : store(makeUserStore()), program(clock, *store, ScreenMetrics{1024, 768, 96}, &dialogs) {
        spy = std::make_unique<QSignalSpy>(&program.frmSplash, &TfrmSplash::closed);
    }

    TfrmSplash& splash() { return program.frmSplash; }
    TfrmBrisko& window() { return program.frmBrisko; }
    TfrmChangeGame& dialog() { return program.frmChangeGame; }
    Records& records() { return window().world().records; }
    GameState& game() { return window().world().table.state; }
    template <class W = QWidget>
    W* find(const char* name) {
        return window().findChild<W*>(name);
    }
    QString text(const char* name) {
        if (auto* label = find<QLabel>(name)) return label->text();
        if (auto* button = find<QAbstractButton>(name)) return button->text();
        return "<missing " + QString(name) + ">";
    }
    // On the left, where a radio button's mark and text are.
    void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {},
                          QPoint(std::min(8, widget->width() / 2), widget->height() / 2));
    }
    void click(const char* name) { click(find(name)); }
    QAction* action(const char* name) { return window().findChild<QAction*>(name); }

    // Keys reach the menu's shortcuts in the active window only.
    void activate() {
        QApplication::setActiveWindow(&window());
        QVERIFY(QTest::qWaitForWindowActive(&window()));
    }

    // Chooses the language and waits for the dialog of the first game.
    void start(QPushButton* language) {
        click(language);
        QTRY_VERIFY(dialog().isVisible());
        QTRY_VERIFY(dialog().isActiveWindow());
    }

    FixedClock clock{45'296'789};
    RecordingDialogs dialogs;
    std::unique_ptr<SettingsStore> store;
    Program program;
    std::unique_ptr<QSignalSpy> spy;
};

// What the store file holds now, read by a store of its own.
struct OnDisk {
    OnDisk() : store(defaultStorePath()) { store.openKey(kKey); }
    std::string text(const std::string& name) { return store.readString(name); }
    int64_t number(const std::string& name, size_t width = 4) {
        uint8_t bytes[4] = {};
        if (store.readBinary(name, bytes, width) == 0) return -1;
        uint32_t bits = 0;
        for (size_t k = 0; k < width; ++k) bits |= uint32_t{bytes[k]} << (8 * k);
        return width == 4 ? int64_t(int32_t(bits)) : int64_t(bits);
    }
    FileStore store;
};

// Typed key by key, letters beyond ASCII too.
void type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

QByteArray storeFile() {
    QFile file(QString::fromStdString(defaultStorePath().string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

// The splash with the game window and the dialog made and hidden; English
// chosen, the dialog of the first game comes up by itself.
void meetTheFirstDialog(Run& r) {
    // The splash, with the game window and the dialog made and hidden.
    QVERIFY(r.splash().isVisible());
    QVERIFY(r.splash().windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(r.splash().lblCompanyProduct->text(), QString("BRISKO 99"));
    QCOMPARE(r.splash().windowTitle(), QString("BRISKO 99"));  // in the task bar
    QCOMPARE(r.splash().PanelStartFrench->text(), QString::fromUtf8("Version française"));
    QCOMPARE(r.splash().PanelStartEnglish->text(), QString("English version"));
    QVERIFY(r.splash().lblCoAuthors->text().isEmpty());
    QVERIFY(!r.splash().lblCopyright->text().isEmpty());
    QVERIFY(!r.splash().lblWarning->text().isEmpty());
    QVERIFY(!r.window().isVisible());
    QVERIFY(!r.window().isEnabled());
    QVERIFY(!r.dialog().isVisible());
    QCOMPARE(r.window().windowTitle(), QString("BRISKO 99"));
    QCOMPARE(r.records().registryKey, kKey);
    QVERIFY(r.program.startUp.firstOpening);

    // English: the splash goes, the table shows, still disabled, and
    // the dialog of the first game comes up by itself.
    r.click(r.splash().PanelStartEnglish);
    QVERIFY(!r.splash().isVisible());
    QVERIFY(r.window().isVisible());
    QVERIFY(!r.window().isEnabled());
    QTRY_VERIFY(r.dialog().isVisible());
    QTRY_VERIFY(r.dialog().isActiveWindow());
    QVERIFY(!r.window().timerDepart.isActive());
    QVERIFY(!r.program.startUp.firstOpening);
    QCOMPARE(r.dialog().windowTitle(), QString("Choose a game"));
    QCOMPARE(r.dialog().windowHandle()->transientParent(), r.window().windowHandle());
    QVERIFY(!r.dialog().buttonCancel->isEnabled());
    QCOMPARE(r.dialog().buttonCancel->text(), QString("CANCEL"));
    QCOMPARE(r.dialog().buttonOK->text(), QString("OK"));
    QCOMPARE(r.dialog().panelYourName->text(), QString("Your name:"));
    QCOMPARE(r.dialog().panelTitreHighScore->text(), QString("Highest score :"));
    QCOMPARE(r.dialog().groupBoxNiveauJeu->title(), QString("Game Mode"));
    QCOMPARE(r.dialog().groupBoxNbTirages->title(), QString("Number of draws"));
    QCOMPARE(r.dialog().rbNiveau[2]->text(), QString("WITH JOKER"));
    QCOMPARE(r.dialog().rbNbTirages[5]->text(), QString("1000"));
    QCOMPARE(r.dialog().rbNbTirages[6]->text(),
             QString("Unlimited : Score=(points+2000)x100/(numberOfDraws+100)"));
    QVERIFY(r.dialog().editYourName->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), r.dialog().editYourName);  // typing works at once
    r.window().showMinimized();  // the table waits on the dialog: it comes back
    QTRY_VERIFY(!r.window().isMinimized());
    QVERIFY(r.dialog().rbNiveau[2]->isChecked());
    QVERIFY(r.dialog().rbNbTirages[1]->isChecked());
    const HighScoreEntry best = r.records().settings.highScores[2][1][1];
    QVERIFY(best.points > 3300 && best.points < 3800);
    QCOMPARE(r.dialog().panelNomHighScore->text(), QString::fromStdString(best.name));
    QCOMPARE(r.dialog().panelValeurHighScore->text(), QString::number(best.points));
}

// The focused `button` wears a ring that stands out at 3:1 or more against
// what is around it and against the button's unfocused look.
void ringShows(QAbstractButton* button) {
    QWidget* window = button->window();
    const QRect ring = FocusMark::ringRect(button);
    const QRect area(button->mapTo(window, ring.topLeft()), ring.size());
    auto shot = [&] { return window->grab(area.adjusted(-1, -1, 1, 1)).toImage(); };
    button->setFocus();
    const QImage on = shot();
    button->clearFocus();
    const QImage off = shot();
    const int band = FocusMark::bandWidth(button), y = on.height() / 2;
    const int outer = 1 + band / 2, inner = outer + band;
    QVERIFY2(contrastRatio(on.pixelColor(outer, y), off.pixelColor(0, y)) >= 3,
             qPrintable(button->objectName()));
    QVERIFY2(std::max(contrastRatio(on.pixelColor(outer, y), off.pixelColor(outer, y)),
                      contrastRatio(on.pixelColor(inner, y), off.pixelColor(inner, y))) >= 3,
             qPrintable(button->objectName()));
}

void playFiftyDrawsWithTheMouse(Run& r) {
    // The whole game of 50 draws, played with the mouse. The cards
    // are shuffled from the clock at every deal and draw: it moves on
    // a fixed step.
    int draws = 0;
    while (r.find("ButtonTirage")->isEnabled() && draws < 60) {
        r.clock.set(1'000'003 * draws % 86'400'000);
        r.click("ButtonTirage");
        r.click("ButtonTirage");
        if (r.find("PanelDoublage")->isVisible()) r.click("ButtonNoDouble");
        ++draws;
    }
    QCOMPARE(draws, 50);
    QCOMPARE(r.game().drawNumber, 50);
    QVERIFY(r.find("panelChangeGame")->isVisible());
    QVERIFY(r.find("panelNewGame")->isVisible());
    const QString line = r.text("panelBravoHighScore");
    const HighScoreList& list = r.records().settings.highScores[2][1];
    OnDisk disk;
    if (line.startsWith("BRAVO PAUL, best score #")) {
        const int rank = line.mid(24, 1).toInt();
        QCOMPARE(line, QString("BRAVO PAUL, best score #%1 : %2").arg(rank).arg(r.game().credit));
        const std::string n = "21" + std::to_string(rank);
        QCOMPARE(disk.text("highScoreName" + n), std::string("PAUL"));
        QCOMPARE(disk.number("score" + n), int64_t(r.game().credit));
    } else {
        QCOMPARE(line, QString("Unfortunately, you didn't get a high score..."));
        QVERIFY(r.game().credit <= list[5].points);
        for (int rank = 1; rank <= 5; ++rank) {
            QCOMPARE(disk.number("score21" + std::to_string(rank)),
                     int64_t(list[size_t(rank)].points));
        }
    }
}

void typeNamesAndConfirmWithEnter(Run& r) {
    TfrmChangeGame& d = r.dialog();
    QLineEdit* name = d.editYourName;
    // Upper case for every letter, accented ones too; ten at most, also
    // when pasted.
    type(name, QString::fromUtf8("zoé-ça 12x"));
    QCOMPARE(name->text(), QString::fromUtf8("ZOÉ-ÇA 12X"));
    QTest::keyClicks(name, "y");
    QCOMPARE(name->text(), QString::fromUtf8("ZOÉ-ÇA 12X"));
    QTest::mouseDClick(name, Qt::LeftButton);
    QVERIFY(name->text().isEmpty());
    name->insert("abcdefghijklmnop");
    QCOMPARE(name->text(), QString("ABCDEFGHIJ"));

    // A name of blanks is a name; Enter confirms.
    QTest::mouseDClick(name, Qt::LeftButton);
    QTest::keyClicks(name, "  ");
    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(!d.isVisible());
    QCOMPARE(OnDisk().text("optionYourName"), std::string("  "));
    QCOMPARE(r.game().credit, 200);
}

void openAgainFromTheStore(Run& r, const HighScoreTable& lists) {
    TfrmChangeGame& d = r.dialog();
    QLineEdit* name = d.editYourName;
    // The next opening starts again from the store.
    r.click("panelChangeGame");
    QTRY_VERIFY(d.isActiveWindow());
    QCOMPARE(name->text(), QString("  "));
    QVERIFY(d.rbNiveau[2]->isChecked());
    QVERIFY(d.rbNbTirages[1]->isChecked());
    QCOMPARE(d.panelNomHighScore->text(), QString::fromStdString(lists[2][1][1].name));

    // A selection left unconfirmed while the player visits the table is
    // forgotten when the dialog is active again.
    r.click(d.rbNiveau[3]);
    r.click(d.rbNbTirages[6]);
    r.activate();
    QApplication::setActiveWindow(&d);
    QTRY_VERIFY(d.isActiveWindow());
    QVERIFY(d.rbNiveau[2]->isChecked());
    QVERIFY(d.rbNbTirages[1]->isChecked());
    // No window manager's frame, so no title-bar buttons: the dialog draws
    // its caption, in the text table's words alone, and cannot be put away.
    QVERIFY(d.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(d.windowTitle(), QString("Change game"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QString("brisko99"));
    const QImage caption = d.grab(d.captionRect()).toImage();
    d.setWindowTitle("");
    QVERIFY(d.grab(d.captionRect()).toImage() != caption);
    d.setWindowTitle("Change game");
    d.showMinimized();
    QTRY_VERIFY(!d.isMinimized());
}

class StartTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> config_;

  private slots:
    // Every test starts from nothing: a configuration folder of its own.
    void init() {
        config_ = std::make_unique<QTemporaryDir>();
        QVERIFY(config_->isValid());
        qputenv("XDG_CONFIG_HOME", config_->path().toUtf8());
    }

    void aNewPlayerPlaysAWholeGameAndFindsEverythingAgain() {
        {
            Run r;
            meetTheFirstDialog(r);
            if (QTest::currentTestFailed()) return;

            // OK without a name is refused.
            r.click(r.dialog().buttonOK);
            QCOMPARE(r.dialogs.messages, QStringList{"Please, enter your name!!!"});
            QVERIFY(r.dialog().isVisible());
            QVERIFY(!r.window().isEnabled());

            QTest::keyClicks(r.dialog().editYourName, "paul");
            QCOMPARE(r.dialog().editYourName->text(), QString("PAUL"));
            r.click(r.dialog().buttonOK);
            QVERIFY(!r.dialog().isVisible());
            QVERIFY(r.window().isEnabled());
            QCOMPARE(OnDisk().text("optionYourName"), std::string("PAUL"));
            QCOMPARE(r.text("panelNomJoueur"), QString("PAUL"));
            QCOMPARE(r.text("PanelCredit"), QString("200"));
            QCOMPARE(r.game().drawNumber, 0);

            playFiftyDrawsWithTheMouse(r);
            if (QTest::currentTestFailed()) return;

            // Options the player changes go with the store.
            r.click("SBChangeGame");  // later openings can be cancelled
            QTRY_VERIFY(r.dialog().isActiveWindow());
            QVERIFY(r.dialog().buttonCancel->isEnabled());
            QCOMPARE(r.dialog().windowTitle(), QString("Change game"));
            r.click(r.dialog().rbNiveau[1]);
            r.click(r.dialog().rbNbTirages[3]);
            r.click(r.dialog().buttonOK);
            QCOMPARE(r.text("panelObjectifNbTirages").contains("200"), true);
            r.action("menuBarreInfo")->trigger();
            QVERIFY(!r.find("panelResultat")->isVisible());

            // Closing the game window ends the program without a question.
            const int asked = int(r.dialogs.questions.size());
            r.window().close();
            QCOMPARE(r.spy->count(), 1);
            QCOMPARE(int(r.dialogs.questions.size()), asked);
        }
        {
            Run r;
            r.start(r.splash().PanelStartEnglish);
            QCOMPARE(r.dialog().editYourName->text(), QString("PAUL"));
            QCOMPARE(r.records().settings.gameType, GameType{1});
            QVERIFY(r.dialog().rbNiveau[1]->isChecked());
            QVERIFY(r.dialog().rbNbTirages[3]->isChecked());
            QVERIFY(!r.action("menuBarreInfo")->isChecked());
            QVERIFY(!r.find("panelResultat")->isVisible());
            QVERIFY(!r.dialog().buttonCancel->isEnabled());
            QCOMPARE(QApplication::focusWidget(), r.dialog().buttonOK);
            QTest::keyClick(r.dialog().windowHandle(), Qt::Key_Return);
            QVERIFY(!r.dialog().isVisible());
            QCOMPARE(r.records().settings.gameType, GameType{1});
            QCOMPARE(r.records().settings.targetIndex, 3);
            QCOMPARE(r.text("PanelCredit"), QString("200"));
        }
    }

    void frenchSpeaksFrenchAndSoDoTheToolkitsButtons() {
        Run r;
        r.start(r.splash().PanelStartFrench);
        QCOMPARE(r.dialog().windowTitle(), QString("Choisissez un jeu"));
        QCOMPARE(r.dialog().buttonCancel->text(), QString("ANNULER"));
        QCOMPARE(r.dialog().rbNiveau[2]->text(), QString("Joker possible"));
        r.click(r.dialog().buttonOK);
        QCOMPARE(r.dialogs.messages.last(), QString("Veuillez saisir votre nom !!!"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString("&Oui"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annuler"));
        QCOMPARE(r.window().colourChooser().windowTitle(),
                 QString::fromUtf8("Sélectionner une couleur"));
        QCOMPARE(r.window().ButtonC[3]->toolTip(),
                 QString("Garder ou remplacer la carte (touche 3)"));
    }

    void theDialogsNameFieldAndButtons() {
        Run r;
        r.start(r.splash().PanelStartEnglish);
        TfrmChangeGame& d = r.dialog();
        QLineEdit* name = d.editYourName;

        typeNamesAndConfirmWithEnter(r);
        if (QTest::currentTestFailed()) return;

        // Clicking through the choices changes only the best-score line;
        // cancelling forgets them.
        r.click("ButtonTirage");
        const int32_t drawn = r.game().drawNumber;
        const QByteArray before = storeFile();
        r.activate();
        QTest::keyClick(&r.window(), Qt::Key_F3);
        QTRY_VERIFY(d.isActiveWindow());
        QVERIFY(d.buttonCancel->isEnabled());
        const HighScoreTable& lists = r.records().settings.highScores;
        for (int32_t t = 1; t <= kGameTypes; ++t) {
            for (int32_t i = 1; i <= kTargets; ++i) {
                r.click(d.rbNiveau[size_t(t)]);
                r.click(d.rbNbTirages[size_t(i)]);
                QCOMPARE(d.panelNomHighScore->text(),
                         QString::fromStdString(lists[size_t(t)][size_t(i)][1].name));
                QCOMPARE(d.panelValeurHighScore->text(),
                         QString::number(lists[size_t(t)][size_t(i)][1].points));
            }
        }
        QCOMPARE(r.records().settings.gameType, GameType{2});
        QCOMPARE(r.records().settings.targetIndex, 1);
        QTest::mouseDClick(name, Qt::LeftButton);
        r.click(d.buttonCancel);
        QVERIFY(!d.isVisible());
        QVERIFY(r.window().isEnabled());
        QCOMPARE(r.game().drawNumber, drawn);
        QCOMPARE(storeFile(), before);
        QCOMPARE(r.text("panelNomMeilleurScore1"), QString::fromStdString(lists[2][1][1].name));

        openAgainFromTheStore(r, lists);
        if (QTest::currentTestFailed()) return;

        // Confirming the same choice starts a new game and writes the store.
        r.click(d.buttonOK);
        QCOMPARE(r.game().drawNumber, 0);
        QCOMPARE(r.game().credit, 200);
    }

    // The splash and the dialog answer the keys of the table: the focused
    // control wears the ring, Enter presses the focused button, and in the
    // dialog Enter confirms and Escape cancels, when cancelling is allowed.
    void theSplashAndTheDialogByKeyboard() {
        Run r;
        TfrmSplash& splash = r.splash();
        QApplication::setActiveWindow(&splash);
        QVERIFY(QTest::qWaitForWindowActive(&splash));
        ringShows(splash.PanelStartFrench);
        ringShows(splash.PanelStartEnglish);
        splash.PanelStartEnglish->setFocus();
        QTest::keyClick(splash.PanelStartEnglish, Qt::Key_Return);
        QTRY_VERIFY(r.dialog().isActiveWindow());
        QCOMPARE(r.window().world().texts.language(), Language::English);

        TfrmChangeGame& d = r.dialog();
        ringShows(d.rbNiveau[3]);
        ringShows(d.rbNbTirages[6]);
        ringShows(d.buttonOK);
        QTest::keyClick(d.rbNiveau[2], Qt::Key_Escape);  // the first game must be chosen
        QVERIFY(d.isVisible());
        d.editYourName->setText("ANN");
        d.rbNiveau[3]->setFocus();
        QTest::keyClick(d.rbNiveau[3], Qt::Key_Space);
        QTest::keyClick(d.rbNiveau[3], Qt::Key_Return);
        QVERIFY(!d.isVisible());
        QCOMPARE(r.records().settings.gameType, GameType{3});
        QCOMPARE(r.records().settings.optionYourName, std::string("ANN"));

        r.click("ButtonTirage");
        r.activate();
        QTest::keyClick(&r.window(), Qt::Key_F3);
        QTRY_VERIFY(d.isActiveWindow());
        // With a name, OK has the focus; Tab goes round every control and
        // reaches the name field again.
        QCOMPARE(QApplication::focusWidget(), d.buttonOK);
        QList<QWidget*> round;
        do {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            round << QApplication::focusWidget();
        } while (round.size() < 10 && round.last() != d.buttonOK);
        QCOMPARE(round.mid(0, 2), (QList<QWidget*>{d.buttonCancel, d.editYourName}));
        QCOMPARE(round.last(), d.buttonOK);
        ringShows(d.buttonCancel);
        QTest::keyClick(d.rbNbTirages[2], Qt::Key_Down);
        QTest::keyClick(d.rbNbTirages[3], Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QCOMPARE(r.game().drawNumber, 1);  // the game goes on
        QCOMPARE(r.records().settings.targetIndex, 1);
    }

    // The notice is in both languages at once; its label holds all of it at
    // every screen from 800 x 600 to 3840 x 2160.
    void theSplashNoticeFitsAtEverySize() {
        StartUp startUp;
        for (int m = 800; m <= 2880; ++m) {
            TfrmSplash splash(startUp, ScreenMetrics{m, m * 3 / 4, 96});
            const QLabel* notice = splash.lblWarning;
            const QRect box = notice->contentsRect().marginsRemoved(
                QMargins(notice->margin(), notice->margin(), notice->margin(), notice->margin()));
            const QRect text =
                QFontMetrics(notice->font())
                    .boundingRect(box, int(notice->alignment()) | Qt::TextWordWrap, notice->text());
            QVERIFY2(box.contains(text), qPrintable(QString::number(m)));
        }
    }

    void unmaximisingKeepsTheTitleBarOnTheScreen() {
        Run r;
        r.start(r.splash().PanelStartEnglish);
        QVERIFY(r.window().isMaximized());
        r.window().showNormal();
        // The platform's new geometry, then the game's answer to it.
        for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
        QVERIFY(r.window().screen()->availableGeometry().contains(r.window().frameGeometry()));
        QVERIFY(r.window().frameGeometry().top() < r.window().geometry().top());  // a frame
    }

    void aRefusedSaveStillStartsTheChosenGame() {
        FixedClock clock(1000);
        MemoryStore store;
        RecordingDialogs dialogs;
        Program program(clock, store, ScreenMetrics{1024, 768, 96}, &dialogs);
        QTest::mouseClick(program.frmSplash.PanelStartEnglish, Qt::LeftButton);
        TfrmChangeGame& d = program.frmChangeGame;
        QTRY_VERIFY(d.isActiveWindow());
        store.refuseWrites = true;
        d.editYourName->setText("MAX");
        d.rbNiveau[3]->setChecked(true);
        d.ConfirmChangeGame();
        QVERIFY(!d.isVisible());
        QVERIFY(program.frmBrisko.isEnabled());
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].startsWith(
            QString::fromUtf8("Erreur à définition des données pour '")));
        QCOMPARE(program.frmBrisko.world().table.state.credit, 200);
        QCOMPARE(program.frmBrisko.findChild<QLabel*>("panelNiveau")->text(),
                 QString("WITHOUT JOKER"));
    }

    void optionsToggleSaveAndSurviveARestart() {
        {
            Run r;
            r.start(r.splash().PanelStartEnglish);
            QTest::keyClicks(r.dialog().editYourName, "ann");
            r.click(r.dialog().buttonOK);
            QVERIFY(r.action("menuSuggestionCartes")->isChecked());
            QVERIFY(r.action("menuOptionDoublage")->isChecked());
            QVERIFY(r.action("menuBarreInfo")->isChecked());

            struct Option {
                const char* action;
                const char* value;
            };
            for (const Option& o : {Option{"menuSuggestionCartes", "optionSuggestionCartes"},
                                    Option{"menuOptionDoublage", "optionDoublagePropose"},
                                    Option{"menuBarreInfo", "optionBarreInfo"}}) {
                for (int expected : {0, 1, 0}) {
                    r.action(o.action)->trigger();
                    QCOMPARE(r.action(o.action)->isChecked(), expected == 1);
                    QCOMPARE(OnDisk().number(o.value, 1), int64_t(expected));
                }
            }
            QVERIFY(!r.find("panelResultat")->isVisible());

            // The chooser starts at the current colour; Cancel keeps it and
            // still saves.
            r.dialogs.colour = QColor();
            r.action("menuCouleurFondEcran")->trigger();
            QCOMPARE(r.dialogs.offered, QColor(0, 0, 64));
            QCOMPARE(OnDisk().number("optionCouleurFondEcran"), int64_t(4194304));
            r.dialogs.colour = QColor(0x12, 0x34, 0x56);
            r.action("menuCouleurFondEcran")->trigger();
            QCOMPARE(OnDisk().number("optionCouleurFondEcran"), int64_t(0x563412));
        }
        {
            Run r;
            r.start(r.splash().PanelStartEnglish);
            QVERIFY(!r.action("menuSuggestionCartes")->isChecked());
            QVERIFY(!r.action("menuOptionDoublage")->isChecked());
            QVERIFY(!r.action("menuBarreInfo")->isChecked());
            QCOMPARE(r.window().centralWidget()->palette().color(QPalette::Window),
                     QColor(0x12, 0x34, 0x56));
            QCOMPARE(r.dialog().editYourName->text(), QString("ANN"));
        }
    }

    void doubleUpCannotBeSwitchedOffWhileItRuns() {
        Run r;
        r.start(r.splash().PanelStartEnglish);
        QTest::keyClicks(r.dialog().editYourName, "bo");
        r.click(r.dialog().buttonOK);
        // Draws until one pays and the offer comes.
        int draws = 0;
        while (!r.find("PanelDoublage")->isVisible() && draws < 50) {
            r.clock.set(7'777 * draws);
            r.click("ButtonTirage");
            r.click("ButtonTirage");
            ++draws;
        }
        QVERIFY2(r.find("PanelDoublage")->isVisible(),
                 qPrintable(QString::number(r.game().drawNumber)));
        const int written = int(r.dialogs.messages.size());
        r.action("menuOptionDoublage")->trigger();
        QCOMPARE(r.dialogs.messages.size(), written + 1);
        QCOMPARE(r.dialogs.messages.last(),
                 QString("Please wait for the end of the draw if you want to change this option"));
        QVERIFY(r.action("menuOptionDoublage")->isChecked());
        QCOMPARE(OnDisk().number("optionDoublagePropose", 1), int64_t(1));
        r.click("ButtonNoDouble");
        r.action("menuOptionDoublage")->trigger();
        QVERIFY(!r.action("menuOptionDoublage")->isChecked());
        QCOMPARE(OnDisk().number("optionDoublagePropose", 1), int64_t(0));
    }

    // A draw's statistics are saved on the store's thread: a refusal (here
    // another program's lock) is told once, in the player's language, and
    // closing the window waits for the last save.
    void aDrawsRefusedSaveIsToldOnceAndTheLastSaveLands() {
        Run r;
        r.start(r.splash().PanelStartFrench);
        QTest::keyClicks(r.dialog().editYourName, "eve");
        r.click(r.dialog().buttonOK);
        auto* store = dynamic_cast<FileStore*>(r.store.get());
        QVERIFY(store);
        store->setLockTimeout(std::chrono::milliseconds(50));
        const int fd = ::open(store->lockPath().c_str(), O_RDWR);
        QVERIFY(fd >= 0);
        QCOMPARE(::flock(fd, LOCK_EX), 0);
        const auto playADraw = [&r] {
            r.click("ButtonTirage");
            r.click("ButtonTirage");
            if (r.find("PanelDoublage")->isVisible()) r.click("ButtonNoDouble");
        };
        playADraw();
        QTRY_COMPARE(r.dialogs.messages.size(), 1);
        QCOMPARE(
            r.dialogs.messages[0],
            QString::fromStdString("Erreur à définition des données pour 'Type2'\nLe fichier '" +
                                   store->lockPath().string() +
                                   "' est verrouillé par un autre programme depuis 1 "
                                   "secondes : rien n'a été écrit."));
        playADraw();
        store->finishSaves();
        QTest::qWait(20);
        QCOMPARE(r.dialogs.messages.size(), 1);

        ::close(fd);
        playADraw();
        r.window().close();
        QCOMPARE(r.dialogs.messages.size(), 1);
        OnDisk disk;
        const AllTimeFigures figures = loadStatistics(disk.store, statisticsKeyOf(kKey), nullptr);
        QCOMPARE(figuresOf(figures, GameType{2}).draws, int64_t(3));
    }

    void quitAsksAndRegeneratingAsksToo() {
        Run r;
        r.start(r.splash().PanelStartFrench);
        QTest::keyClicks(r.dialog().editYourName, "eve");
        r.click(r.dialog().buttonOK);
        r.click("ButtonTirage");
        r.activate();

        // No: the game goes on, with the store already written.
        r.dialogs.answer = false;
        QTest::keyClick(&r.window(), Qt::Key_F9);
        QCOMPARE(r.dialogs.questions.last(), QString::fromUtf8("Voulez-vous vraiment arrêter ?"));
        QVERIFY(r.window().isVisible());
        QCOMPARE(r.spy->count(), 0);
        QCOMPARE(OnDisk().text("optionYourName"), std::string("EVE"));
        QCOMPARE(r.game().drawNumber, 1);

        // F4: No keeps the lists, Yes makes all eighteen anew.
        const HighScoreTable lists = r.records().settings.highScores;
        QTest::keyClick(&r.window(), Qt::Key_F4);
        QCOMPARE(
            r.dialogs.questions.last(),
            QString::fromUtf8("Voulez-vous réellement remettre les meilleurs scores par défaut ?"));
        for (int32_t t = 1; t <= kGameTypes; ++t) {
            for (int32_t i = 1; i <= kTargets; ++i) {
                QCOMPARE(r.records().settings.highScores[size_t(t)][size_t(i)][1].points,
                         lists[size_t(t)][size_t(i)][1].points);
            }
        }
        r.dialogs.answer = true;
        r.click("panelInitScores");
        int changed = 0;
        for (int32_t t = 1; t <= kGameTypes; ++t) {
            for (int32_t i = 1; i <= kTargets; ++i) {
                const auto& now = r.records().settings.highScores[size_t(t)][size_t(i)];
                changed += now[1].points != lists[size_t(t)][size_t(i)][1].points ? 1 : 0;
                for (int32_t k = 2; k <= kRanks; ++k) QVERIFY(now[k].points < now[k - 1].points);
            }
        }
        QVERIFY(changed >= 15);
        QCOMPARE(OnDisk().number("score361"),
                 int64_t(r.records().settings.highScores[3][6][1].points));

        // Yes: goodbye, and the program ends with its first window.
        r.click("SBquit");
        QCOMPARE(r.dialogs.messages.last(), QString::fromUtf8("A bientôt !!!"));
        QCOMPARE(r.spy->count(), 1);
        QVERIFY(!r.window().isVisible());
    }
};

int main(int argc, char** argv) {
    BriskoApplication app(argc, argv);
    app.showErrors = false;
    QApplication::setStyle("Fusion");
    QApplication::setQuitOnLastWindowClosed(false);
    StartTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "start_test.moc"
