// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pokerf.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include "contract/pay_table.h"
#include "ui/accessible_names.h"
#include "ui/card_images.h"
#include "ui/companions.h"
#include "ui/control_names.h"
#include "ui/figures.h"
#include "ui/focus_mark.h"
#include "ui/table_commands.h"
#include "ui/trainer_dock.h"
#include "ui/window_frame.h"

namespace brisko {

namespace {

// The control of that name is of the kind the game uses it as.
template <class W>
W* as(QWidget* widget) {
    auto* w = qobject_cast<W*>(widget);
    Q_ASSERT_X(w, "TfrmBrisko", "a control of another kind");
    return w;
}

}  // namespace

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
// that is being taken down, and the windows beside it go before it.
void TfrmBrisko::FormDestroy() {
    StopAllTimers();
    delete companions_;
    companions_ = nullptr;
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

    buildWindow();
    installAccessibleFactory();
    FocusMark::attach(this);
    FocusMark::leaveMenusOnEscape(menuBar());
    FrameKeeper::watch(this);

    // Scale everything from the 800 x 600 design to this screen.
    start_ = brisko::screenScale(screen.width, screen.height, screen.dpi);
    scaleTable(start_);
    setWindowTitle(productTitle_);
    // A smaller window shrinks the table down to this, and no further.
    const ScreenScale smallest = fitScale(start_, 0, 0);
    surface_->setMinimumSize(smallest.length(kClientWidth), smallest.length(kClientHeight));

    setUpTimers();

    // The world does not touch the store; the load comes here, where its
    // error can be shown and the game go on. The presenter listens to the
    // game first, the windows beside it next, the screen-reader names last.
    world_ = std::make_unique<World>(clock, store_, *this);
    world_->records.registryKey = startUp.registryKey;
    loadSettings();
    companions_ = new Companions(*this, store_, *dialogs_,
                                 [this](Command command) { commands_->run(command); });
    commands_ = std::make_unique<TableCommands>(*this, *companions_, *dialogs_);
    names_ = std::make_unique<TableNames>(*this);
    world_->table.listen(*names_);
    connectRoutes(*this, [this](Handler handler) { handle(handler); });
    ApplyTexts();
    ApplyOptions();

    resize(start_.length(kClientWidth),
           start_.length(kClientHeight) + menuBar()->sizeHint().height());
    QMainWindow::setEnabled(false);
}

// The menu, then the client area in the background colour with the table
// centred in it, then every control of the table.
void TfrmBrisko::buildWindow() {
    layout_.buildMenu(*this);
    surface_ = new QWidget(this);
    surface_->setObjectName("clientArea");
    surface_->setAutoFillBackground(true);
    setBackground(surface_, toQColor(rrggbb(0x000040)));
    setCentralWidget(surface_);
    surface_->installEventFilter(this);

    board_ = new QWidget(surface_);
    board_->setObjectName("tableArea");
    setDesignGeometry(board_, QRect(0, 0, kClientWidth, kClientHeight));
    layout_.buildControls(surface_, board_);
    findControls();
}

QList<QRect> TfrmBrisko::shownParts() const {
    QList<QRect> parts;
    for (const QWidget* part :
         {static_cast<const QWidget*>(menuBar()), static_cast<const QWidget*>(board_)}) {
        if (part->isVisible()) parts.append(QRect(part->mapToGlobal(QPoint(0, 0)), part->size()));
    }
    return parts;
}

QRect TfrmBrisko::cardsOnScreen() const {
    QRect cards;
    for (int32_t n = 1; n <= kSlots; ++n) {
        const auto i = size_t(n);
        for (const QWidget* part :
             {static_cast<const QWidget*>(PanelG[i]), static_cast<const QWidget*>(ConteneurC[i]),
              static_cast<const QWidget*>(ButtonC[i])}) {
            cards |= QRect(part->mapToGlobal(QPoint(0, 0)), part->size());
        }
    }
    return cards;
}

void TfrmBrisko::setUpTimers() {
    for (Timer t : {Timer::timerDepart, Timer::TimerVoirDouble, Timer::TimerYesNoDoublage,
                    Timer::timerCarteDoublage}) {
        timer(t).setObjectName(q(timerName(t)));
        timer(t).setInterval(500);
    }
    timerDepart.setInterval(1);
    timerDepart.setSingleShot(true);
}

void TfrmBrisko::loadSettings() {
    // The load starts from a fresh record, as at the first start of a run.
    world_->records.settings = Settings{};
    try {
        world_->records.LoadSettings();
    } catch (const StoreError& error) {
        dialogs_->message(this, QString::fromUtf8(error.what()));
    }
}

// Every position, size and font of the window at `scale`.
void TfrmBrisko::scaleTable(const ScreenScale& scale) {
    scale_ = scale;
    scaleWidgets(this, scale_.m);
    menuBar()->setFont(QApplication::font("QMenuBar"));
    layOutCards();
    if (companions_) companions_->setScale(scale_.m);
    for (const char* name : {"SBNewGame", "SBChangeGame", "SBAide"}) {
        as<QToolButton>(&layout_.at(name))
            ->setIconSize(QSize(scale_.length(16), scale_.length(16)));
    }
}

void TfrmBrisko::fitTable() {
    // Beside the trainer's panel the table takes its share of the width,
    // and the panel the rest, at the table's scale.
    TrainerDock* panel = companions_ ? companions_->trainer().dock() : nullptr;
    const bool beside = panel && !panel->isHidden();
    int32_t width = surface_->width();
    if (beside) {
        width = int32_t(int64_t{width + panel->width()} * kClientWidth /
                        (kClientWidth + TrainerDock::kDesignWidth));
    }
    const ScreenScale fit = fitScale(start_, width, surface_->height());
    if (beside) resizeDocks({panel}, {fit.length(TrainerDock::kDesignWidth)}, Qt::Horizontal);
    if (fit.m == scale_.m && fit.h == scale_.h) return;
    scaleTable(fit);
    // The cards on the table, sharp at their new size.
    for (int32_t slot = 1; slot <= kSlots; ++slot) {
        const QString& name = cardImages_[size_t(slot)];
        CardPicture* picture = PictureC[size_t(slot)];
        if (name.isEmpty()) continue;
        const qreal ratio = picture->devicePixelRatioF();
        const QPixmap pixmap = cards_.render(name, picture->size() * ratio, ratio);
        if (!pixmap.isNull()) picture->setPixmap(pixmap);
    }
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
    QWidget* bar = &layout_.at("panelHaut");
    bar->setGeometry(0, 0, std::max(surface_->width(), width), scale_.length(29));
    for (QWidget* b : bar->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        b->move(scale_.length(designGeometry(b).x()) + offset, b->y());
    }
}

bool TfrmBrisko::eventFilter(QObject* watched, QEvent* event) {
    if (watched == surface_ && event->type() == QEvent::Resize) {
        fitTable();
        placeTable();
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- texts and options -------------------------------------------------------

void TfrmBrisko::chooseLanguage(Language language) {
    world_->texts.setLanguage(language);
    windowTexts_.setLanguage(language);
    ApplyTexts();
    ApplyOptions();
    nameTable(*this);
}

void TfrmBrisko::ApplyTexts() {
    const Texts& texts = world_->texts;
    const Language language = texts.language();
    setWindowTitle(productTitle_);
    if (language == Language::None) return;
    helpFile_ = QDir(QCoreApplication::applicationDirPath()).filePath(q(infoOf(language).helpFile));
    // A chooser made before the language titled itself without it.
    if (ColorDialog1) ColorDialog1->setWindowTitle(QColorDialog::tr("Select Color"));
    layout_.applyTexts(windowTexts_);

    auto text = [&](WindowTxt key) { return q(windowTexts_[key]); };
    for (int n = 1; n <= 5; ++n) {
        const QString digit = QString::number(n);
        panelScores[size_t(n)]->setToolTip(text(WindowTxt::hintPanelNumero) + digit);
        panelScores[size_t(n + 5)]->setToolTip(text(WindowTxt::hintPanelNomMeilleurScore) + digit);
        panelScores[size_t(n + 10)]->setToolTip(text(WindowTxt::hintPanelMeilleurScore) + digit);
        // Keys 1 to 5 click the card of that slot, as the help also says.
        ButtonC[size_t(n)]->setToolTip(text(WindowTxt::hintButtonC) + digit + ")");
    }
    setCaption(Control::ButtonMiseMax,
               windowTexts_[WindowTxt::captionButtonMiseMax] + std::to_string(kMaxBet));
    for (const PayRow& row : payTableRows) {
        setCaption(row.titlePanel, texts[handNameKey(static_cast<int32_t>(row.category))]);
    }
    companions_->retranslate();
}

void TfrmBrisko::ApplyOptions() {
    showOptions(world_->records.settings);
}

void TfrmBrisko::showOptions(const Settings& settings) {
    setBackground(surface_, toQColor(settings.optionCouleurFondEcran));
    layout_.action("menuOptionDoublage").setChecked(settings.optionDoublagePropose != 0);
    layout_.action("menuSuggestionCartes").setChecked(settings.optionSuggestionCartes != 0);
    layout_.action("menuBarreInfo").setChecked(settings.optionBarreInfo != 0);
    control(Control::panelResultat)->setVisible(settings.optionBarreInfo != 0);
}

bool TfrmBrisko::chooseColour(uint32_t current, uint32_t& chosen) {
    QColor colour;
    if (!dialogs_->chooseColour(colourChooser(), toQColor(current), colour)) return false;
    chosen = fromQColor(colour);
    return true;
}

QColorDialog& TfrmBrisko::colourChooser() {
    if (!ColorDialog1) {
        ColorDialog1 = new QColorDialog(this);
        ColorDialog1->setObjectName("ColorDialog1");
    }
    return *ColorDialog1;
}

// --- the controls as the game reaches them ----------------------------------

QWidget* TfrmBrisko::widget(std::string_view name) const {
    return layout_.widget(name);
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
        byControl_[static_cast<size_t>(indexOf(c))] = &layout_.at(name);
    }
    for (int32_t n = 1; n <= kSlots; ++n) {
        const auto i = size_t(n);
        PanelG[i] = as<Panel>(control(holdLabel(n)));
        ConteneurC[i] = as<Panel>(control(cardFrame(n)));
        PictureC[i] = as<CardPicture>(&layout_.at("PictureC" + std::to_string(n)));
        ButtonC[i] = as<QPushButton>(control(holdButton(n)));
        panelScores[i] = as<Panel>(control(scoreNumber(n)));
        panelScores[i + 5] = as<Panel>(control(scoreName(n)));
        panelScores[i + 10] = as<Panel>(control(scorePoints(n)));
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

// --- commands and the windows beside the table --------------------------------

void TfrmBrisko::handle(Handler handler) {
    commands_->handle(handler);
}

void TfrmBrisko::startNewGame() {
    commands_->run(Command::newGame);
}

Trainer& TfrmBrisko::trainer() {
    return companions_->trainer();
}

void TfrmBrisko::setFirstWindow(QWidget* window) {
    companions_->setFirstWindow(window);
}

void TfrmBrisko::setChangeGameDialog(TfrmChangeGame* dialog) {
    companions_->setChangeGameDialog(dialog);
}

void TfrmBrisko::OpenStatistics() {
    companions_->openStatistics();
}

Statistics& TfrmBrisko::statistics() {
    return companions_->statistics();
}

StatisticsWindow* TfrmBrisko::statisticsWindow() const {
    return companions_->statisticsWindow();
}

// --- window events -----------------------------------------------------------

void TfrmBrisko::keyPressEvent(QKeyEvent* event) {
    if (commands_->cardKey(*event)) {
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
    companions_->closeAll();
}

}  // namespace brisko
