#include "ui/pokerf.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include "ui/card_images.h"
#include "ui/control_names.h"
#include "ui/focus_mark.h"
#include "ui/help_viewer.h"
#include "ui/window_frame.h"

namespace brisko {

namespace {

// The colours of the table, as #RRGGBB.
QColor hex(unsigned rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

constexpr const char* kSansSerif = "MS Sans Serif";
constexpr const char* kSerif = "Times New Roman";
constexpr const char* kComic = "Comic Sans MS";

QString q(const std::string& text) {
    return QString::fromStdString(text);
}
QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The tool bar's pictures, drawn on a 16-unit grid: normal and disabled.
QIcon speedButtonIcon(int kind) {
    QIcon icon;
    for (bool enabled : {true, false}) {
        QPixmap pixmap(64, 64);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(4, 4);
        const QColor ink = enabled ? QColor(0, 0, 128) : QColor(128, 128, 128);
        const QColor red = enabled ? QColor(200, 0, 0) : QColor(160, 160, 160);
        p.setPen(QPen(ink, 1));
        if (kind == 0) {  // new game: a card with a heart
            p.setBrush(Qt::white);
            p.drawRoundedRect(QRectF(3.5, 1.5, 9, 13), 1.5, 1.5);
            QPainterPath heart;
            heart.moveTo(8, 11);
            heart.cubicTo(3, 7, 5, 3.5, 8, 6);
            heart.cubicTo(11, 3.5, 13, 7, 8, 11);
            p.setPen(Qt::NoPen);
            p.setBrush(red);
            p.drawPath(heart);
        } else if (kind == 1) {  // change game: two cards swapping
            p.setBrush(Qt::white);
            p.drawRoundedRect(QRectF(1.5, 1.5, 7, 10), 1, 1);
            p.setBrush(enabled ? QColor(255, 255, 160) : QColor(220, 220, 220));
            p.drawRoundedRect(QRectF(7.5, 4.5, 7, 10), 1, 1);
            p.setPen(QPen(red, 1.5));
            p.drawLine(QPointF(3, 14), QPointF(6, 14));
            p.drawLine(QPointF(10, 2), QPointF(14, 2));
        } else {  // help: a question mark in a ring
            p.setBrush(enabled ? QColor(255, 255, 200) : QColor(230, 230, 230));
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            QFont font("Liberation Sans");
            font.setPixelSize(11);
            font.setBold(true);
            p.setFont(font);
            p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, "?");
        }
        p.end();
        icon.addPixmap(pixmap, enabled ? QIcon::Normal : QIcon::Disabled);
    }
    return icon;
}

}  // namespace

ScreenMetrics primaryScreenMetrics() {
    ScreenMetrics m;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        m.width = screen->size().width();
        m.height = screen->size().height();
        m.dpi = screen->logicalDotsPerInch();
    }
    return m;
}

// --- creation ----------------------------------------------------------------

TfrmBrisko::TfrmBrisko(const Clock& clock, SettingsStore& store,
                       std::optional<ScreenMetrics> screen, Dialogs* dialogs, QWidget* parent)
    : TfrmBrisko(composeStartUp(), clock, store, screen, dialogs, parent) {}

TfrmBrisko::TfrmBrisko(const StartUp& startUp, const Clock& clock, SettingsStore& store,
                       std::optional<ScreenMetrics> screen, Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent),
      store_(store),
      qtDialogs_(QString::fromStdString(startUp.productTitle)),
      dialogs_(dialogs ? dialogs : &qtDialogs_) {
    FormCreate(screen ? *screen : primaryScreenMetrics(), clock, startUp);
}

TfrmBrisko::~TfrmBrisko() {
    FormDestroy();
}

// The card images go with the window; the timers must not tick into a world
// that is being taken down.
void TfrmBrisko::FormDestroy() {
    StopAllTimers();
    cards_.clear();
}

void TfrmBrisko::FormCreate(const ScreenMetrics& screen, const Clock& clock,
                            const StartUp& startUp) {
    setObjectName("frmBrisko");
    productTitle_ = QString::fromStdString(startUp.productTitle);
    versionText_ = QString::fromStdString(startUp.versionText);
    QFont::insertSubstitution(kSansSerif, "Liberation Sans");
    QFont::insertSubstitution(kSerif, "Liberation Serif");
    QFont::insertSubstitution(kComic, "Comic Neue");
    setDesignFont(this, kSansSerif, 11, false);

    buildMenu();
    buildControls();
    findControls();
    FocusMark::attach(this);
    FrameKeeper::watch(this);

    // Scale everything from the 800 x 600 design to this screen.
    scale_ = brisko::screenScale(screen.width, screen.height, screen.dpi);
    scaleWidgets(this, scale_.m);
    menuBar()->setFont(QApplication::font("QMenuBar"));
    setWindowTitle(productTitle_);
    layOutCards();
    for (const char* name : {"SBNewGame", "SBChangeGame", "SBAide"}) {
        auto* b = static_cast<QToolButton*>(controls_.at(name));
        b->setIconSize(QSize(scale_.length(16), scale_.length(16)));
    }

    for (Timer t : {Timer::timerDepart, Timer::TimerVoirDouble, Timer::TimerYesNoDoublage,
                    Timer::timerCarteDoublage}) {
        timer(t).setObjectName(q(timerName(t)));
        timer(t).setInterval(500);
    }
    timerDepart.setInterval(1);
    timerDepart.setSingleShot(true);

    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setObjectName("ColorDialog1");
    connectRoutes(*this, [this](Handler handler) { handle(handler); });

    // The world does not touch the store; the load comes here, where its
    // error can be shown and the game go on.
    world_ = std::make_unique<World>(clock, store_, *this, *this);
    world_->records.registryKey = startUp.registryKey;
    loadSettings();
    ApplyTexts();
    ApplyOptions();

    resize(scale_.length(kClientWidth),
           scale_.length(kClientHeight) + menuBar()->sizeHint().height());
    QMainWindow::setEnabled(false);
}

void TfrmBrisko::loadSettings() {
    // The load starts from a fresh record, as at the first start of a run.
    world_->records.settings = Settings{};
    try {
        world_->records.LoadSettings();
    } catch (const StoreError& error) {
        showMessage(error.what());
    }
}

template <class W>
W* TfrmBrisko::add(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    setDesignGeometry(widget, QRect(x, y, w, h));
    controls_.emplace(name, widget);
    return widget;
}

Panel* TfrmBrisko::panel(QWidget* parent, const char* name, int x, int y, int w, int h,
                         Colour colour, Panel::Bevel bevel) {
    auto* p = add<Panel>(parent, name, x, y, w, h);
    setBackground(p, toQColor(colour));
    p->setBevel(bevel);
    return p;
}

Panel* TfrmBrisko::pushPanel(QWidget* parent, const char* name, int x, int y, int w, int h,
                             int fontPixels) {
    auto* p = add<Panel>(parent, name, x, y, w, h);
    setBackground(p, QApplication::palette().color(QPalette::Button));
    setDesignFont(p, kSerif, fontPixels, false);
    setTextColour(p, Qt::black);
    p->setPushButton(true);
    p->setCursor(Qt::UpArrowCursor);
    return p;
}

void TfrmBrisko::buildMenu() {
    struct Item {
        const char* menu;
        const char* name;
        int key;  // 0: none, -1: separator
        bool checkable;
    };
    const Item items[] = {
        {"menuBrisko", "menuNewGame", Qt::Key_F2, false},
        {"menuBrisko", "menuChangeGame", Qt::Key_F3, false},
        {"menuBrisko", nullptr, -1, false},
        {"menuBrisko", "menuInitHighScores", Qt::Key_F4, false},
        {"menuBrisko", nullptr, -1, false},
        {"menuBrisko", "menuQuit", Qt::Key_F9, false},
        {"menuOptions", "menuSuggestionCartes", Qt::Key_F5, true},
        {"menuOptions", "menuOptionDoublage", Qt::Key_F6, true},
        {"menuOptions", nullptr, -1, false},
        {"menuOptions", "menuBarreInfo", Qt::Key_F7, true},
        {"menuOptions", "menuCouleurFondEcran", Qt::Key_F8, false},
        {"menuAide", "menuSommaire", Qt::Key_F1, false},
        {"menuAide", "menuApropos", Qt::Key_F12, false},
    };
    for (const char* name : {"menuBrisko", "menuOptions", "menuAide"}) {
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        menus_.emplace(name, menu);
    }
    for (const Item& item : items) {
        QMenu* menu = menus_.at(item.menu);
        if (item.key == -1) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString());
        action->setParent(this);
        action->setObjectName(item.name);
        action->setShortcut(QKeySequence(item.key));
        action->setCheckable(item.checkable);
        // The check marks follow the options: ApplyOptions sets them.
        actions_.emplace(item.name, action);
    }
}

void TfrmBrisko::buildControls() {
    surface_ = new QWidget(this);
    surface_->setObjectName("clientArea");
    surface_->setAutoFillBackground(true);
    setBackground(surface_, hex(0x000040));
    setCentralWidget(surface_);
    surface_->installEventFilter(this);

    board_ = new QWidget(surface_);
    board_->setObjectName("tableArea");
    setDesignGeometry(board_, QRect(0, 0, kClientWidth, kClientHeight));

    buildHighScores(panel(board_, "panelMeilleursScores", 4, 33, 213, 158, rgb(0, 64, 128)));
    buildPlayer(panel(board_, "panelDivers", 4, 195, 213, 25, rgb(0, 64, 128)));
    buildGameInfo(panel(board_, "panelInfoJeu", 4, 225, 213, 301, rgb(0, 64, 128)));
    buildPayTable(panel(board_, "PanelGainsPossibles", 221, 33, 570, 154, rgb(0, 128, 0)));
    buildTable(panel(board_, "SuperPanelGarde", 221, 191, 571, 335, rgb(0, 64, 128)));
    buildToolBar();

    // Each game region shows once a game starts.
    for (const char* region : {"panelHaut", "panelMeilleursScores", "panelDivers", "panelInfoJeu",
                               "PanelGainsPossibles", "SuperPanelGarde"}) {
        controls_.at(region)->hide();
    }
}

void TfrmBrisko::buildToolBar() {
    auto* bar = panel(surface_, "panelHaut", 0, 0, kClientWidth, 29, 0, Panel::Bevel::Framed);
    setBackground(bar, QApplication::palette().color(QPalette::Button));
    struct Speed {
        const char* name;
        int left;
        int width;
        int picture;  // -1: a letter instead
        const char* letter;
    };
    const Speed buttons[] = {
        {"SBNewGame", 5, 22, 0, ""}, {"SBChangeGame", 29, 22, 1, ""}, {"SBquit", 53, 22, -1, "Q"},
        {"SBAide", 77, 21, 2, ""},   {"SBBossKey", 775, 22, -1, "B"},
    };
    for (const Speed& s : buttons) {
        auto* b = add<QToolButton>(bar, s.name, s.left, 4, s.width, 22);
        b->setAutoRaise(true);
        b->setCursor(Qt::PointingHandCursor);
        b->setFocusPolicy(Qt::NoFocus);
        if (s.picture >= 0) {
            b->setIcon(speedButtonIcon(s.picture));
        } else {
            b->setText(s.letter);
            setDesignFont(b, kComic, 13, false);
        }
    }
}

void TfrmBrisko::buildHighScores(QWidget* region) {
    auto* title = panel(region, "panelTitreMeilleursScores", 5, 4, 204, 17, rgb(0x71, 0xD0, 0xFF),
                        Panel::Bevel::Lowered);
    setDesignFont(title, kSansSerif, 13, true);
    static const char* const kNumbers[] = {"panelNumero1", "panelNumero2", "panelNumero3",
                                           "panelNumero4", "panelNumero5"};
    static const char* const kNames[] = {"panelNomMeilleurScore1", "panelNomMeilleurScore2",
                                         "panelNomMeilleurScore3", "panelNomMeilleurScore4",
                                         "panelNomMeilleurScore5"};
    static const char* const kScores[] = {"panelMeilleurScore1", "panelMeilleurScore2",
                                          "panelMeilleurScore3", "panelMeilleurScore4",
                                          "panelMeilleurScore5"};
    for (int n = 1; n <= 5; ++n) {
        const Colour colour = n % 2 == 1 ? rgb(192, 192, 192) : rgb(128, 128, 128);
        const int top = 24 + 19 * (n - 1);
        Panel* row[3] = {panel(region, kNumbers[n - 1], 5, top, 14, 19, colour),
                         panel(region, kNames[n - 1], 19, top, 130, 19, colour),
                         panel(region, kScores[n - 1], 149, top, 60, 19, colour)};
        for (int k = 0; k < 3; ++k) {
            setDesignFont(row[k], kSansSerif, 13, true);
            setTextColour(row[k], Qt::black);
            panelScores[size_t(n + 5 * k)] = row[k];
        }
        row[0]->setText(QString::number(n));
    }
    pushPanel(region, "panelInitScores", 5, 125, 205, 29, 19);
}

void TfrmBrisko::buildPlayer(QWidget* region) {
    for (auto [name, x, w] :
         {std::tuple{"panelNomJoueur", 4, 141}, std::tuple{"panelScoreJoueur", 148, 60}}) {
        auto* p = panel(region, name, x, 3, w, 19, rgb(0x80, 0xFF, 0x80), Panel::Bevel::Lowered);
        setDesignFont(p, kSansSerif, 11, true);
        setTextColour(p, Qt::black);
    }
}

void TfrmBrisko::buildGameInfo(QWidget* region) {
    setDesignFont(region, kSansSerif, 11, true);
    setTextColour(region, Qt::black);
    for (auto [name, x, y, w] :
         {std::tuple{"panelNiveau", 5, 5, 204}, std::tuple{"panelNumeroTirage", 5, 31, 97},
          std::tuple{"panelObjectifNbTirages", 106, 31, 102}}) {
        auto* p = panel(region, name, x, y, w, 22, rgb(0x8C, 0xDA, 0xFF), Panel::Bevel::Lowered);
        setDesignFont(p, kSansSerif, 11, true);
        setTextColour(p, Qt::black);
    }
    pushPanel(region, "panelAide", 5, 156, 205, 29, 19);
    pushPanel(region, "panelQuitter", 5, 190, 205, 29, 19);
    pushPanel(region, "panelChangeGame", 5, 224, 205, 29, 19);
    pushPanel(region, "panelNewGame", 5, 258, 205, 39, 19);
}

void TfrmBrisko::buildPayTable(QWidget* region) {
    struct Place {
        int titleLeft, titleWidth, valueLeft, valueWidth, top, height;
    };
    // In the order of payTableRows: royal flush down to kings or better.
    const Place places[] = {
        {195, 150, 345, 52, 3, 26},   {7, 170, 177, 100, 32, 28},   {7, 170, 177, 100, 61, 28},
        {7, 170, 177, 100, 90, 28},   {7, 170, 177, 100, 119, 28},  {295, 170, 465, 100, 32, 28},
        {295, 170, 465, 100, 61, 28}, {295, 170, 465, 100, 90, 28}, {295, 170, 465, 100, 119, 28},
    };
    for (size_t i = 0; i < payTableRows.size(); ++i) {
        const PayRow& row = payTableRows[i];
        const Place& at = places[i];
        const std::string title(controlName(row.titlePanel));
        const std::string value(controlName(row.valuePanel));
        const bool royal = row.category == HandCategory::RoyalFlush;
        const Panel::Bevel bevel = royal ? Panel::Bevel::Lowered : Panel::Bevel::Raised;
        Panel* panels[2] = {panel(region, title.c_str(), at.titleLeft, at.top, at.titleWidth,
                                  at.height, row.colour, bevel),
                            panel(region, value.c_str(), at.valueLeft, at.top, at.valueWidth,
                                  at.height, row.colour, bevel)};
        for (Panel* p : panels) {
            setDesignFont(p, kSansSerif, 16, true);
            if (row.colour == kDarkGreen) setTextColour(p, Qt::yellow);
            if (row.colour == kSilver) setTextColour(p, Qt::black);
        }
    }
}

void TfrmBrisko::buildTable(QWidget* region) {
    auto* result =
        panel(region, "panelResultat", 4, 5, 563, 34, rgb(0x80, 0xFF, 0xFF), Panel::Bevel::None);
    setDesignFont(result, kSansSerif, 13, true);
    result->setWordWrap(true);

    static const char* const kLabels[] = {"PanelG1", "PanelG2", "PanelG3", "PanelG4", "PanelG5"};
    static const char* const kFrames[] = {"ConteneurC1", "ConteneurC2", "ConteneurC3",
                                          "ConteneurC4", "ConteneurC5"};
    static const char* const kPictures[] = {"PictureC1", "PictureC2", "PictureC3", "PictureC4",
                                            "PictureC5"};
    const int columns[] = {4, 117, 230, 343, 456};
    for (int n = 1; n <= 5; ++n) {
        const size_t i = size_t(n);
        const int x = columns[n - 1];
        const bool odd = n % 2 == 1;
        PanelG[i] = panel(region, kLabels[n - 1], x, 43, 110, 28,
                          odd ? rgb(0x00, 0xB7, 0xB7) : rgb(0x35, 0xBD, 0xFF));
        setDesignFont(PanelG[i], kSerif, 21, false);
        PanelG[i]->hide();

        ConteneurC[i] = panel(region, kFrames[n - 1], x, 74, 110, 170,
                              odd ? rgb(0x00, 0x80, 0x80) : rgb(0x00, 0x80, 0xC0));
        ConteneurC[i]->hide();
        PictureC[i] = add<CardPicture>(ConteneurC[i], kPictures[n - 1], 10, 10, 90, 150);

        const std::string button(controlName(holdButton(n)));
        ButtonC[i] = add<QPushButton>(region, button.c_str(), x, 247, 111, 30);
        ButtonC[i]->setCursor(Qt::UpArrowCursor);
        ButtonC[i]->hide();
    }

    auto* bravo = panel(region, "panelBravoHighScore", 4, 248, 561, 27, rgb(0x00, 0x80, 0xC0),
                        Panel::Bevel::Lowered);
    setDesignFont(bravo, kSerif, 19, false);
    setTextColour(bravo, Qt::yellow);
    bravo->hide();

    auto* doubling = panel(region, "PanelDoublage", 4, 247, 563, 30, rgb(0x80, 0x80, 0xFF));
    setDesignFont(doubling, kSerif, 19, false);
    setTextColour(doubling, hex(0xFFFF80));
    doubling->hide();
    auto* no = add<QPushButton>(doubling, "ButtonNoDouble", 4, 5, 157, 22);
    auto* question = panel(doubling, "PanelQuitteOuDouble", 164, 5, 227, 22, rgb(0xFF, 0xFF, 0x80),
                           Panel::Bevel::Lowered);
    setDesignFont(question, kSerif, 19, false);
    setTextColour(question, hex(0x004080));
    auto* yes = add<QPushButton>(doubling, "ButtonYesDouble", 395, 5, 162, 22);
    for (QPushButton* b : {no, yes}) {
        setDesignFont(b, kSerif, 16, true);
        setTextColour(b, hex(0xFFFF80));
        // A deep blue face, on which the pale yellow captions read well.
        QPalette palette = b->palette();
        palette.setColor(QPalette::Button, hex(0x202080));
        b->setPalette(palette);
        b->setCursor(Qt::UpArrowCursor);
    }

    auto* encore = add<QPushButton>(region, "ButtonEncore", 5, 280, 97, 25);
    setDesignFont(encore, kSerif, 19, false);
    setTextColour(encore, Qt::black);
    auto* mise = panel(region, "PanelMise", 105, 280, 50, 25, rgb(0x8D, 0xDC, 0xB0));
    setDesignFont(mise, kSansSerif, 16, true);
    auto* max = add<QPushButton>(region, "ButtonMiseMax", 158, 280, 101, 25);
    setDesignFont(max, kSerif, 19, false);
    auto* gain = panel(region, "PanelGain", 260, 280, 63, 25, rgb(0x7C, 0xCF, 0x85));
    setDesignFont(gain, kSansSerif, 16, true);
    auto* deal = add<QPushButton>(region, "ButtonTirage", 327, 280, 240, 51);
    setDesignFont(deal, kSansSerif, 16, true);
    auto* credit = panel(region, "PanelCredit", 5, 308, 318, 23, rgb(0x95, 0xE3, 0x91));
    setDesignFont(credit, kSansSerif, 16, true);
    for (QPushButton* b : {encore, max, deal}) b->setCursor(Qt::UpArrowCursor);
}

// Card frames and pictures follow the card size rather than the plain scale,
// so the cards keep the screen's height in view.
void TfrmBrisko::layOutCards() {
    for (size_t n = 1; n <= 5; ++n) {
        ConteneurC[n]->resize(scale_.frameWidth, scale_.frameHeight);
        PictureC[n]->setGeometry(scale_.pictureLeft, scale_.pictureTop, scale_.cardWidth,
                                 scale_.cardHeight);
    }
}

// The scaled table sits centred in the client area when that is wider; the
// tool bar spans the whole width with its buttons above the table.
void TfrmBrisko::placeTable() {
    const int width = scale_.length(kClientWidth);
    const int offset = std::max(0, (surface_->width() - width) / 2);
    board_->move(offset, 0);
    QWidget* bar = controls_.at("panelHaut");
    bar->setGeometry(0, 0, std::max(surface_->width(), width), scale_.length(29));
    for (QWidget* b : bar->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        b->move(scale_.length(designGeometry(b).x()) + offset, b->y());
    }
}

bool TfrmBrisko::eventFilter(QObject* watched, QEvent* event) {
    if (watched == surface_ && event->type() == QEvent::Resize) placeTable();
    return QMainWindow::eventFilter(watched, event);
}

// --- texts and options -------------------------------------------------------

void TfrmBrisko::chooseLanguage(Language language) {
    world_->texts.setLanguage(language);
    ApplyTexts();
    ApplyOptions();
}

void TfrmBrisko::ApplyTexts() {
    const Texts& texts = world_->texts;
    const Language language = texts.language();
    setWindowTitle(productTitle_);
    if (language == Language::None) return;
    helpFile_ = QDir(QCoreApplication::applicationDirPath()).filePath(q(infoOf(language).helpFile));
    // The chooser titled itself when it was made, before the language.
    ColorDialog1->setWindowTitle(QColorDialog::tr("Select Color"));
    auto text = [&](Txt key) { return q(texts[key]); };

    for (auto [name, key] :
         {std::pair{"menuBrisko", Txt::menuBrisko}, std::pair{"menuOptions", Txt::menuOptions},
          std::pair{"menuAide", Txt::menuAide}}) {
        menus_.at(name)->setTitle(text(key));
    }
    for (auto [name, key] : {
             std::pair{"menuNewGame", Txt::menuNewGame},
             std::pair{"menuChangeGame", Txt::menuChangeGame},
             std::pair{"menuInitHighScores", Txt::menuInitHighScores},
             std::pair{"menuQuit", Txt::menuQuit},
             std::pair{"menuSuggestionCartes", Txt::menuSuggestionCartes},
             std::pair{"menuOptionDoublage", Txt::menuOptionDoublage},
             std::pair{"menuBarreInfo", Txt::menuBarreInfo},
             std::pair{"menuCouleurFondEcran", Txt::menuCouleurFondEcran},
             std::pair{"menuSommaire", Txt::menuSommaire},
             std::pair{"menuApropos", Txt::menuApropos},
         }) {
        actions_.at(name)->setText(text(key));
    }

    for (auto [name, key] : {
             std::pair{"SBNewGame", Txt::hintSBNewGame},
             std::pair{"SBChangeGame", Txt::hintSBChangeGame},
             std::pair{"SBAide", Txt::hintSBAide},
             std::pair{"SBquit", Txt::hintSBquit},
             std::pair{"SBBossKey", Txt::hintSBBossKey},
         }) {
        controls_.at(name)->setToolTip(text(key));
    }

    setText(widget("panelTitreMeilleursScores"), text(Txt::captionPanelTitreMeilleursScores));
    for (int n = 1; n <= 5; ++n) {
        const QString digit = QString::number(n);
        panelScores[size_t(n)]->setToolTip(text(Txt::hintPanelNumero) + digit);
        panelScores[size_t(n + 5)]->setToolTip(text(Txt::hintPanelNomMeilleurScore) + digit);
        panelScores[size_t(n + 10)]->setToolTip(text(Txt::hintPanelMeilleurScore) + digit);
    }

    for (auto [name, key] : {
             std::pair{"panelNomJoueur", Txt::hintPanelNomJoueur},
             std::pair{"panelScoreJoueur", Txt::hintPanelScoreJoueur},
             std::pair{"panelNiveau", Txt::hintPanelNiveau},
             std::pair{"panelObjectifNbTirages", Txt::hintPanelObjectifNbTirages},
             std::pair{"panelNumeroTirage", Txt::hintPanelNumeroTirage},
             std::pair{"PanelMise", Txt::hintPanelMise},
             std::pair{"PanelGain", Txt::hintPanelGain},
             std::pair{"PanelCredit", Txt::hintPanelCredit},
         }) {
        controls_.at(name)->setToolTip(text(key));
    }

    for (auto [name, key] : {
             std::pair{"panelQuitter", Txt::captionPanelQuitter},
             std::pair{"panelAide", Txt::captionPanelAide},
             std::pair{"panelInitScores", Txt::captionPanelInitScores},
             std::pair{"panelChangeGame", Txt::captionPanelChangeGame},
             std::pair{"panelNewGame", Txt::captionPanelNewGame},
             std::pair{"ButtonNoDouble", Txt::captionButtonNoDouble},
             std::pair{"PanelQuitteOuDouble", Txt::captionPanelQuitteOuDouble},
             std::pair{"ButtonYesDouble", Txt::captionButtonYesDouble},
             std::pair{"ButtonTirage", Txt::captionButtonTirage},
         }) {
        setText(widget(name), text(key));
    }
    setCaption(Control::ButtonMiseMax, texts[Txt::captionButtonMiseMax] + std::to_string(kMaxBet));

    for (const PayRow& row : payTableRows) {
        setCaption(row.titlePanel, texts[handNameKey(static_cast<int32_t>(row.category))]);
    }

    // Keys 1 to 5 click the card of that slot, as the help also says.
    for (int n = 1; n <= 5; ++n) {
        ButtonC[size_t(n)]->setToolTip(text(Txt::hintButtonC) + QString::number(n) + ")");
    }
}

void TfrmBrisko::ApplyOptions() {
    world_->records.ApplyOptions();
}

void TfrmBrisko::showOptions(const Settings& settings) {
    setBackground(surface_, toQColor(settings.optionCouleurFondEcran));
    actions_.at("menuOptionDoublage")->setChecked(settings.optionDoublagePropose != 0);
    actions_.at("menuSuggestionCartes")->setChecked(settings.optionSuggestionCartes != 0);
    actions_.at("menuBarreInfo")->setChecked(settings.optionBarreInfo != 0);
    control(Control::panelResultat)->setVisible(settings.optionBarreInfo != 0);
}

void TfrmBrisko::showMessage(const std::string& text) {
    dialogs_->message(this, q(text));
}

bool TfrmBrisko::askYesNo(const std::string& question) {
    return dialogs_->yesNo(this, q(question));
}

bool TfrmBrisko::chooseColour(uint32_t current, uint32_t& chosen) {
    QColor colour;
    if (!dialogs_->chooseColour(*ColorDialog1, toQColor(current), colour)) return false;
    chosen = fromQColor(colour);
    return true;
}

// --- the controls as the game reaches them ----------------------------------

QWidget* TfrmBrisko::widget(std::string_view name) const {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

QWidget* TfrmBrisko::control(Control c) const {
    QWidget* w = byControl_[static_cast<size_t>(indexOf(c))];
    Q_ASSERT_X(w, "TfrmBrisko::control", "a control the window does not have");
    return w;
}

// Every control the logic knows is on the window: a missing one stops the
// program at its start, not in the middle of a game.
void TfrmBrisko::findControls() {
    for (const auto& [c, name] : kControlNames) {
        byControl_[static_cast<size_t>(indexOf(c))] = controls_.at(std::string(name));
    }
}

void TfrmBrisko::setCaption(Control c, const std::string& text) {
    setText(control(c), q(text));
}

void TfrmBrisko::setVisible(Control c, bool visible) {
    control(c)->setVisible(visible);
}

void TfrmBrisko::setEnabled(Control c, bool enabled) {
    control(c)->setEnabled(enabled);
}

void TfrmBrisko::setFocus(Control c) {
    control(c)->setFocus(Qt::OtherFocusReason);
}

void TfrmBrisko::setColour(Control c, Colour colour) {
    setBackground(control(c), toQColor(colour));
}

QTimer& TfrmBrisko::timer(Timer t) {
    switch (t) {
        case Timer::timerDepart:
            return timerDepart;
        case Timer::TimerVoirDouble:
            return TimerVoirDouble;
        case Timer::TimerYesNoDoublage:
            return TimerYesNoDoublage;
        case Timer::timerCarteDoublage:
            break;
    }
    return timerCarteDoublage;
}

void TfrmBrisko::startTimer(Timer t) {
    timer(t).start();
}

void TfrmBrisko::stopTimer(Timer t) {
    timer(t).stop();
}

void TfrmBrisko::StopAllTimers() {
    timerDepart.stop();
    TimerVoirDouble.stop();
    TimerYesNoDoublage.stop();
    timerCarteDoublage.stop();
}

// --- cards -------------------------------------------------------------------

void TfrmBrisko::ShowCard(int32_t slot) {
    if (slot < 1 || slot > kSlots) return;
    const int32_t c = world_->cards.hand[size_t(slot)];
    if (c < 1 || c > kJoker) return;
    PictureC[size_t(slot)]->show();
    DrawCard(slot, suitOfIndex(c), valueOfIndex(c));
}

void TfrmBrisko::DrawCard(int32_t slot, int32_t suit, int32_t value) {
    if (slot < 1 || slot > kSlots || suit < 1 || suit > 5) return;
    const std::string name = cardImageName(suit, value, world_->texts.language());
    CardPicture* picture = PictureC[size_t(slot)];
    const qreal ratio = picture->devicePixelRatioF();
    const QPixmap pixmap = cards_.render(q(name), picture->size() * ratio, ratio);
    if (!pixmap.isNull()) picture->setPixmap(pixmap);
    cardImages_[size_t(slot)] = q(name);
    ConteneurC[size_t(slot)]->show();
}

void TfrmBrisko::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    cards_.warmUp(world_->texts.language(), [this] {
        const qreal ratio = PictureC[1]->devicePixelRatioF();
        return std::pair{PictureC[1]->size() * ratio, ratio};
    });
}

QString TfrmBrisko::cardImage(int32_t slot) const {
    return slot >= 1 && slot <= kSlots ? cardImages_[size_t(slot)] : QString();
}

// --- handlers ----------------------------------------------------------------

void TfrmBrisko::handle(Handler handler) {
    const Route& route = routeOf(handler);
    guarded(route.command, route.slot);
}

// A store error stops the command where it was raised; the player is told
// here, before it could unwind through the toolkit, and plays on.
void TfrmBrisko::guarded(Command command, int32_t slot) {
    try {
        perform(command, slot);
    } catch (const std::exception& error) {
        showMessage(error.what());
    }
}

void TfrmBrisko::perform(Command command, int32_t slot) {
    GameTable& table = world_->table;
    Records& records = world_->records;
    // clang-format off
    switch (command) {
        case Command::clickCard: return table.clickCard(slot);
        case Command::betPlus: return table.betPlus();
        case Command::betMax: return table.betMax();
        case Command::dealOrDraw: return table.dealOrDraw();
        case Command::doubleUp: return table.ButtonYesDoubleClick();
        case Command::quitDouble: return table.ButtonNoDoubleClick();
        case Command::newGame: return table.startNewGame();
        case Command::changeGame: return OpenChangeGameDialog();
        case Command::defaultHighScores: return records.ConfirmDefaultHighScores();
        case Command::quitGame: return QuitGame();
        case Command::help: return OpenHelp();
        case Command::bossKey: return showMinimized();
        case Command::about: return showAbout();
        case Command::toggleSuggestion: return records.menuSuggestionCartesClick(table);
        case Command::toggleDoubleUp: return records.menuOptionDoublageClick(table);
        case Command::toggleInfoBar: return records.menuBarreInfoClick();
        case Command::chooseBackground: return records.menuCouleurFondEcranClick();
        case Command::revealDoubleUp: return table.TimerVoirDoubleTimer();
        case Command::swapOfferFocus: return table.TimerYesNoDoublageTimer();
        case Command::movePickFocus: return table.timerCarteDoublageTimer();
        case Command::firstGame: return firstGame();
    }
    // clang-format on
}

// Fires once, after the language choice: the first game is chosen in the
// change-game dialog; without it the game starts at once.
void TfrmBrisko::firstGame() {
    timerDepart.stop();
    if (frmChangeGame_) {
        OpenChangeGameDialog();
    } else {
        enableAndShowMainWindow();
        startNewGame();
    }
}

void TfrmBrisko::OpenChangeGameDialog() {
    if (frmChangeGame_) frmChangeGame_->OpenChangeGameDialog();
}

void TfrmBrisko::enableAndShowMainWindow() {
    QMainWindow::setEnabled(true);
    // Also back from minimised, where a window manager may have put it with
    // the dialog.
    if (!isVisible() || isMinimized()) showMaximized();
    raise();
    activateWindow();
}

void TfrmBrisko::startNewGame() {
    guarded(Command::newGame);
}

void TfrmBrisko::showDialogMessage(QWidget* parent, const QString& text) {
    dialogs_->message(parent ? parent : this, text);
}

void TfrmBrisko::showAbout() {
    dialogs_->message(this, QString("BRISKO %1\n%2")
                                .arg(versionText_)
                                .arg("Video poker. Free software under the GNU GPL, version 3 "
                                     "or later; card art from GNOME Aisleriot."));
}

void TfrmBrisko::QuitGame() {
    if (world_->records.QuitGame()) close();
}

void TfrmBrisko::OpenHelp() {
    if (helpFile_.isEmpty()) return;
    if (!helpViewer_) {
        helpViewer_ = new HelpViewer(this, QSize(scale_.length(560), scale_.length(480)));
    }
    helpViewer_->open(helpFile_, productTitle_);
}

// --- window events -----------------------------------------------------------

void TfrmBrisko::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_1 && key <= Qt::Key_5 && event->modifiers() == Qt::NoModifier) {
        handle(pictureClick(key - Qt::Key_1 + 1));
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TfrmBrisko::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

// Closing the game window ends the program: the first window goes too.
void TfrmBrisko::FormClose() {
    StopAllTimers();
    if (helpViewer_) helpViewer_->close();
    if (frmChangeGame_) frmChangeGame_->hide();
    if (firstWindow_) firstWindow_->close();
}

}  // namespace brisko
