// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/table_layout.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <utility>

#include "contract/pay_table.h"
#include "ui/control_names.h"
#include "ui/figures.h"
#include "ui/scaling.h"

namespace brisko {

namespace {

constexpr DesignFont kScoreFont{kSansSerif, 13, true};
constexpr DesignFont kInfoFont{kSansSerif, 11, true};
constexpr DesignFont kFigureFont{kSansSerif, 16, true};
constexpr DesignFont kSerif19{kSerif, 19, false};
constexpr Colour kRegion = rrggbb(0x004080);
constexpr Colour kGameInfo = rrggbb(0x8CDAFF);
constexpr Colour kPaleYellow = rrggbb(0xFFFF80);
constexpr std::string_view kScores = "panelMeilleursScores";
constexpr std::string_view kInfo = "panelInfoJeu";
constexpr std::string_view kTable = "SuperPanelGarde";
constexpr std::string_view kDoubling = "PanelDoublage";

template <size_t... N>
constexpr auto join(const std::array<ControlPlan, N>&... parts) {
    std::array<ControlPlan, (N + ...)> all{};
    auto out = all.begin();
    ((out = std::copy(parts.begin(), parts.end(), out)), ...);
    return all;
}

constexpr ControlPlan panel(std::string_view name, std::string_view parent, DesignRect rect,
                            Colour colour) {
    return {.name = name, .parent = parent, .rect = rect, .colour = colour};
}

// A region of the table: hidden until a game starts.
constexpr ControlPlan region(std::string_view name, DesignRect rect, Colour colour) {
    return panel(name, "tableArea", rect, colour).hiddenAtStart();
}

// Every button of the table shows the up-arrow cursor.
constexpr ControlPlan button(std::string_view name, std::string_view parent, DesignRect rect) {
    return {.name = name,
            .parent = parent,
            .kind = Kind::Button,
            .rect = rect,
            .cursor = Qt::UpArrowCursor};
}

// The command panels: in the button face, with a black serif caption.
constexpr ControlPlan pushPanel(std::string_view name, std::string_view parent, DesignRect rect) {
    return ControlPlan{.name = name,
                       .parent = parent,
                       .kind = Kind::PushPanel,
                       .rect = rect,
                       .colour = kButtonFace,
                       .cursor = Qt::UpArrowCursor}
        .withFont(kSerif19)
        .withTextColour(kBlack);
}

// A rank 1 to 5 of the best scores: its number, the player's name and the
// points, in rows of alternate shades.
constexpr std::array<ControlPlan, 3> scoreRank(int rank, std::string_view number,
                                               std::string_view name, std::string_view points) {
    const int top = 24 + 19 * (rank - 1);
    const Colour colour = rank % 2 == 1 ? rrggbb(0xC0C0C0) : rrggbb(0x808080);
    auto plan = [&](std::string_view panelName, int left, int width) {
        return panel(panelName, kScores, {left, top, width, 19}, colour)
            .withFont(kScoreFont)
            .withTextColour(kBlack);
    };
    return {plan(number, 5, 14).withCaption(std::string_view("12345").substr(size_t(rank - 1), 1)),
            plan(name, 19, 130), plan(points, 149, 60)};
}

constexpr ControlPlan infoPanel(std::string_view name, std::string_view parent, DesignRect rect,
                                Colour colour) {
    return panel(name, parent, rect, colour).lowered().withFont(kInfoFont).withTextColour(kBlack);
}

// A panel of the table that shows only when it has something to show.
constexpr ControlPlan hiddenPanel(std::string_view name, DesignRect rect, Colour colour) {
    return panel(name, kTable, rect, colour).hiddenAtStart();
}

// Double or quits: a deep blue face under the pale yellow captions, for
// contrast.
constexpr ControlPlan doubleButton(std::string_view name, DesignRect rect) {
    return button(name, kDoubling, rect)
        .withFont({kSerif, 16, true})
        .withTextColour(kPaleYellow)
        .withFace(rrggbb(0x202080));
}

constexpr ControlPlan picture(std::string_view name, std::string_view frame) {
    return {.name = name, .parent = frame, .kind = Kind::Picture, .rect = {10, 10, 90, 150}};
}

// A card slot, 1 to 5 from the left: the label above the card ("GARDE"), the
// card's frame and picture, the hold button below. Slots 1, 3 and 5 are in
// one shade, 2 and 4 in another.
constexpr std::array<ControlPlan, 4> cardSlot(int slot, std::string_view label,
                                              std::string_view frame, std::string_view card,
                                              std::string_view holdButton) {
    const int left = 4 + 113 * (slot - 1);
    const bool odd = slot % 2 == 1;
    return {hiddenPanel(label, {left, 43, 110, 28}, odd ? rrggbb(0x00B7B7) : rrggbb(0x35BDFF))
                .withFont({kSerif, 21, false}),
            hiddenPanel(frame, {left, 74, 110, 170}, odd ? rrggbb(0x008080) : rrggbb(0x0080C0)),
            picture(card, frame), button(holdButton, kTable, {left, 247, 111, 30}).hiddenAtStart()};
}

// A flat button of the tool bar, pressed with the mouse only.
constexpr ControlPlan speedButton(std::string_view name, int left, int width, SpeedIcon icon,
                                  std::string_view letter = {}) {
    const ControlPlan plan{.name = name,
                           .parent = "panelHaut",
                           .kind = Kind::SpeedButton,
                           .rect = {left, 4, width, 22},
                           .cursor = Qt::PointingHandCursor,
                           .focus = Qt::NoFocus,
                           .icon = icon};
    return letter.empty() ? plan : plan.withFont({kComic, 13, false}).withCaption(letter);
}

constexpr auto kBestScores =
    join(std::to_array<ControlPlan>({
             region(kScores, {4, 33, 213, 158}, kRegion),
             panel("panelTitreMeilleursScores", kScores, {5, 4, 204, 17}, rrggbb(0x71D0FF))
                 .lowered()
                 .withFont(kScoreFont),
         }),
         scoreRank(1, "panelNumero1", "panelNomMeilleurScore1", "panelMeilleurScore1"),
         scoreRank(2, "panelNumero2", "panelNomMeilleurScore2", "panelMeilleurScore2"),
         scoreRank(3, "panelNumero3", "panelNomMeilleurScore3", "panelMeilleurScore3"),
         scoreRank(4, "panelNumero4", "panelNomMeilleurScore4", "panelMeilleurScore4"),
         scoreRank(5, "panelNumero5", "panelNomMeilleurScore5", "panelMeilleurScore5"),
         std::to_array({pushPanel("panelInitScores", kScores, {5, 125, 205, 29})}));

constexpr auto kPlayerAndGame = std::to_array<ControlPlan>({
    region("panelDivers", {4, 195, 213, 25}, kRegion),
    infoPanel("panelNomJoueur", "panelDivers", {4, 3, 141, 19}, rrggbb(0x80FF80)),
    infoPanel("panelScoreJoueur", "panelDivers", {148, 3, 60, 19}, rrggbb(0x80FF80)),
    region(kInfo, {4, 225, 213, 301}, kRegion).withFont(kInfoFont).withTextColour(kBlack),
    infoPanel("panelNiveau", kInfo, {5, 5, 204, 22}, kGameInfo),
    infoPanel("panelNumeroTirage", kInfo, {5, 31, 97, 22}, kGameInfo),
    infoPanel("panelObjectifNbTirages", kInfo, {106, 31, 102, 22}, kGameInfo),
    pushPanel("panelAide", kInfo, {5, 156, 205, 29}),
    pushPanel("panelQuitter", kInfo, {5, 190, 205, 29}),
    pushPanel("panelChangeGame", kInfo, {5, 224, 205, 29}),
    pushPanel("panelNewGame", kInfo, {5, 258, 205, 39}),
});

// The pay table, a title and a value panel a row, in the rows' own colours
// from the royal flush down; the royal flush across the top, the others in
// two columns.
constexpr std::array<ControlPlan, 1 + 2 * payTableRows.size()> payTable() {
    struct Place {
        int titleLeft, titleWidth, valueLeft, valueWidth, top, height;
    };
    constexpr Place places[] = {
        {195, 150, 345, 52, 3, 26},   {7, 170, 177, 100, 32, 28},   {7, 170, 177, 100, 61, 28},
        {7, 170, 177, 100, 90, 28},   {7, 170, 177, 100, 119, 28},  {295, 170, 465, 100, 32, 28},
        {295, 170, 465, 100, 61, 28}, {295, 170, 465, 100, 90, 28}, {295, 170, 465, 100, 119, 28},
    };
    constexpr std::string_view parent = "PanelGainsPossibles";
    std::array<ControlPlan, 1 + 2 * payTableRows.size()> plans{};
    plans[0] = region(parent, {221, 33, 570, 154}, rrggbb(0x008000));
    for (size_t i = 0; i < payTableRows.size(); ++i) {
        const PayRow& row = payTableRows[i];
        const Place& at = places[i];
        const std::pair<Control, DesignRect> panels[] = {
            {row.titlePanel, {at.titleLeft, at.top, at.titleWidth, at.height}},
            {row.valuePanel, {at.valueLeft, at.top, at.valueWidth, at.height}}};
        for (size_t k = 0; k < 2; ++k) {
            ControlPlan plan =
                panel(controlName(panels[k].first), parent, panels[k].second, row.colour)
                    .withFont(kFigureFont);
            if (row.category == HandCategory::RoyalFlush) plan = plan.lowered();
            if (row.colour == kDarkGreen) plan = plan.withTextColour(kYellow);
            if (row.colour == kSilver) plan = plan.withTextColour(kBlack);
            plans[1 + 2 * i + k] = plan;
        }
    }
    return plans;
}

constexpr auto kCardTableAbove = std::to_array<ControlPlan>({
    region(kTable, {221, 191, 571, 335}, kRegion),
    panel("panelResultat", kTable, {4, 5, 563, 34}, rrggbb(0x80FFFF))
        .flat()
        .withFont(kScoreFont)
        .wrapped(),
});

constexpr auto kCardTableBelow = std::to_array<ControlPlan>({
    hiddenPanel("panelBravoHighScore", {4, 248, 561, 27}, rrggbb(0x0080C0))
        .lowered()
        .withFont(kSerif19)
        .withTextColour(kYellow),
    // Double or quits, over the hold buttons.
    hiddenPanel(kDoubling, {4, 247, 563, 30}, rrggbb(0x8080FF))
        .withFont(kSerif19)
        .withTextColour(kPaleYellow),
    doubleButton("ButtonNoDouble", {4, 5, 157, 22}),
    panel("PanelQuitteOuDouble", kDoubling, {164, 5, 227, 22}, kPaleYellow)
        .lowered()
        .withFont(kSerif19)
        .withTextColour(rrggbb(0x004080)),
    doubleButton("ButtonYesDouble", {395, 5, 162, 22}),
    // Betting and dealing.
    button("ButtonEncore", kTable, {5, 280, 97, 25}).withFont(kSerif19).withTextColour(kBlack),
    panel("PanelMise", kTable, {105, 280, 50, 25}, rrggbb(0x8DDCB0)).withFont(kFigureFont),
    button("ButtonMiseMax", kTable, {158, 280, 101, 25}).withFont(kSerif19),
    panel("PanelGain", kTable, {260, 280, 63, 25}, rrggbb(0x7CCF85)).withFont(kFigureFont),
    button("ButtonTirage", kTable, {327, 280, 240, 51}).withFont(kFigureFont),
    panel("PanelCredit", kTable, {5, 308, 318, 23}, rrggbb(0x95E391)).withFont(kFigureFont),
});

constexpr auto kCardSlots = join(cardSlot(1, "PanelG1", "ConteneurC1", "PictureC1", "ButtonC1"),
                                 cardSlot(2, "PanelG2", "ConteneurC2", "PictureC2", "buttonC2"),
                                 cardSlot(3, "PanelG3", "ConteneurC3", "PictureC3", "ButtonC3"),
                                 cardSlot(4, "PanelG4", "ConteneurC4", "PictureC4", "ButtonC4"),
                                 cardSlot(5, "PanelG5", "ConteneurC5", "PictureC5", "ButtonC5"));

// Across the whole client area, above the table.
constexpr auto kToolBar = std::to_array<ControlPlan>({
    panel("panelHaut", "clientArea", {0, 0, kClientWidth, 29}, kButtonFace)
        .framed()
        .hiddenAtStart(),
    speedButton("SBNewGame", 5, 22, SpeedIcon::NewGame),
    speedButton("SBChangeGame", 29, 22, SpeedIcon::ChangeGame),
    speedButton("SBquit", 53, 22, SpeedIcon::None, "Q"),
    speedButton("SBAide", 77, 21, SpeedIcon::Help),
    speedButton("SBBossKey", 775, 22, SpeedIcon::None, "B"),
});

// Every control in the order it is made: a parent before its children.
constexpr auto kLayout = join(kBestScores, kPlayerAndGame, payTable(), kCardTableAbove, kCardSlots,
                              kCardTableBelow, kToolBar);

constexpr MenuItemPlan kMenuItems[] = {
    {"menuBrisko", "menuNewGame", Qt::Key_F2},
    {"menuBrisko", "menuChangeGame", Qt::Key_F3},
    {"menuBrisko", ""},
    {"menuBrisko", "menuInitHighScores", Qt::Key_F4},
    {"menuBrisko", ""},
    {"menuBrisko", "menuQuit", Qt::Key_F9},
    {"menuOptions", "menuSuggestionCartes", Qt::Key_F5, true},
    {"menuOptions", "menuOptionDoublage", Qt::Key_F6, true},
    {"menuOptions", ""},
    {"menuOptions", "menuBarreInfo", Qt::Key_F7, true},
    {"menuOptions", "menuCouleurFondEcran", Qt::Key_F8},
    {"menuOptions", ""},
    {"menuOptions", "menuEntraineur", Qt::Key_F10, true},
    {"menuOptions", "menuAvertirErreur", Qt::Key_unknown, true},
    {"menuOptions", "menuStatistiques", Qt::Key_F11},
    {"menuAide", "menuSommaire", Qt::Key_F1},
    {"menuAide", "menuApropos", Qt::Key_F12},
};
constexpr std::string_view kMenus[] = {"menuBrisko", "menuOptions", "menuAide"};

constexpr TextTarget kTexts[] = {
    {"menuBrisko", WindowTxt::menuBrisko, TextPlace::MenuTitle},
    {"menuOptions", WindowTxt::menuOptions, TextPlace::MenuTitle},
    {"menuAide", WindowTxt::menuAide, TextPlace::MenuTitle},
    {"menuNewGame", WindowTxt::menuNewGame, TextPlace::Command},
    {"menuChangeGame", WindowTxt::menuChangeGame, TextPlace::Command},
    {"menuInitHighScores", WindowTxt::menuInitHighScores, TextPlace::Command},
    {"menuQuit", WindowTxt::menuQuit, TextPlace::Command},
    {"menuSuggestionCartes", WindowTxt::menuSuggestionCartes, TextPlace::Command},
    {"menuOptionDoublage", WindowTxt::menuOptionDoublage, TextPlace::Command},
    {"menuBarreInfo", WindowTxt::menuBarreInfo, TextPlace::Command},
    {"menuCouleurFondEcran", WindowTxt::menuCouleurFondEcran, TextPlace::Command},
    {"menuStatistiques", WindowTxt::menuStatistiques, TextPlace::Command},
    {"menuEntraineur", WindowTxt::menuEntraineur, TextPlace::Command},
    {"menuAvertirErreur", WindowTxt::menuAvertirErreur, TextPlace::Command},
    {"menuSommaire", WindowTxt::menuSommaire, TextPlace::Command},
    {"menuApropos", WindowTxt::menuApropos, TextPlace::Command},
    {"SBNewGame", WindowTxt::hintSBNewGame, TextPlace::Hint},
    {"SBChangeGame", WindowTxt::hintSBChangeGame, TextPlace::Hint},
    {"SBAide", WindowTxt::hintSBAide, TextPlace::Hint},
    {"SBquit", WindowTxt::hintSBquit, TextPlace::Hint},
    {"SBBossKey", WindowTxt::hintSBBossKey, TextPlace::Hint},
    {"panelNomJoueur", WindowTxt::hintPanelNomJoueur, TextPlace::Hint},
    {"panelScoreJoueur", WindowTxt::hintPanelScoreJoueur, TextPlace::Hint},
    {"panelNiveau", WindowTxt::hintPanelNiveau, TextPlace::Hint},
    {"panelObjectifNbTirages", WindowTxt::hintPanelObjectifNbTirages, TextPlace::Hint},
    {"panelNumeroTirage", WindowTxt::hintPanelNumeroTirage, TextPlace::Hint},
    {"PanelMise", WindowTxt::hintPanelMise, TextPlace::Hint},
    {"PanelGain", WindowTxt::hintPanelGain, TextPlace::Hint},
    {"PanelCredit", WindowTxt::hintPanelCredit, TextPlace::Hint},
    {"panelTitreMeilleursScores", WindowTxt::captionPanelTitreMeilleursScores, TextPlace::Caption},
    {"panelQuitter", WindowTxt::captionPanelQuitter, TextPlace::Caption},
    {"panelAide", WindowTxt::captionPanelAide, TextPlace::Caption},
    {"panelInitScores", WindowTxt::captionPanelInitScores, TextPlace::Caption},
    {"panelChangeGame", WindowTxt::captionPanelChangeGame, TextPlace::Caption},
    {"panelNewGame", WindowTxt::captionPanelNewGame, TextPlace::Caption},
    {"ButtonNoDouble", WindowTxt::captionButtonNoDouble, TextPlace::Caption},
    {"PanelQuitteOuDouble", WindowTxt::captionPanelQuitteOuDouble, TextPlace::Caption},
    {"ButtonYesDouble", WindowTxt::captionButtonYesDouble, TextPlace::Caption},
    {"ButtonTirage", WindowTxt::captionButtonTirage, TextPlace::Caption},
};

// The tool bar's pictures, drawn on a 16-unit grid: normal and disabled.
QIcon speedButtonIcon(SpeedIcon kind) {
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
        if (kind == SpeedIcon::NewGame) {  // a card with a heart
            p.setBrush(Qt::white);
            p.drawRoundedRect(QRectF(3.5, 1.5, 9, 13), 1.5, 1.5);
            QPainterPath heart;
            heart.moveTo(8, 11);
            heart.cubicTo(3, 7, 5, 3.5, 8, 6);
            heart.cubicTo(11, 3.5, 13, 7, 8, 11);
            p.setPen(Qt::NoPen);
            p.setBrush(red);
            p.drawPath(heart);
        } else if (kind == SpeedIcon::ChangeGame) {  // two cards swapping
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

// What the tables name is there: a name that is not stops the program.
template <class T>
T& found(const std::map<std::string, T*, std::less<>>& map, std::string_view name) {
    const auto it = map.find(name);
    if (it == map.end()) qFatal("The game window has no %s", qPrintable(q(name)));
    return *it->second;
}

QWidget* create(Kind kind, QWidget* parent) {
    switch (kind) {
        case Kind::Panel:
        case Kind::PushPanel:
            return new Panel(parent);
        case Kind::Button:
            return new QPushButton(parent);
        case Kind::SpeedButton:
            return new QToolButton(parent);
        case Kind::Picture:
            break;
    }
    return new CardPicture(parent);
}

QColor colourOf(Colour colour) {
    return colour == kButtonFace ? QApplication::palette().color(QPalette::Button)
                                 : toQColor(colour);
}

// Everything of the look that the plan gives, over what the kind brings.
void dress(QWidget* widget, const ControlPlan& plan) {
    if (plan.colour) setBackground(widget, colourOf(*plan.colour));
    if (auto* panel = qobject_cast<Panel*>(widget)) {
        panel->setBevel(plan.bevel);
        panel->setPushButton(plan.kind == Kind::PushPanel);
        if (plan.wordWrap) panel->setWordWrap(true);
    }
    if (plan.font.family) {
        setDesignFont(widget, plan.font.family, plan.font.pixels, plan.font.bold);
    }
    if (plan.textColour) setTextColour(widget, toQColor(*plan.textColour));
    if (plan.face) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Button, toQColor(*plan.face));
        widget->setPalette(palette);
    }
    if (plan.cursor) widget->setCursor(*plan.cursor);
    if (plan.focus) widget->setFocusPolicy(*plan.focus);
    if (auto* tool = qobject_cast<QToolButton*>(widget)) {
        tool->setAutoRaise(true);
        if (plan.icon != SpeedIcon::None) tool->setIcon(speedButtonIcon(plan.icon));
    }
    if (!plan.caption.empty()) setText(widget, q(plan.caption));
    if (plan.hidden) widget->hide();
}

}  // namespace

void TableLayout::buildMenu(QMainWindow& window) {
    for (std::string_view name : kMenus) {
        QMenu* menu = window.menuBar()->addMenu(QString());
        menu->setObjectName(q(name));
        menu->menuAction()->setObjectName(q(name));
        menus_.emplace(name, menu);
    }
    for (const MenuItemPlan& item : kMenuItems) {
        QMenu& into = menu(item.menu);
        if (item.name.empty()) {
            into.addSeparator();
            continue;
        }
        QAction* action = into.addAction(QString());
        action->setParent(&window);
        action->setObjectName(q(item.name));
        if (item.key != Qt::Key_unknown) action->setShortcut(QKeySequence(item.key));
        // The check marks follow the options: ApplyOptions sets them.
        action->setCheckable(item.checkable);
        actions_.emplace(item.name, action);
    }
}

void TableLayout::buildControls(QWidget* clientArea, QWidget* tableArea) {
    widgets_.emplace("clientArea", clientArea);
    widgets_.emplace("tableArea", tableArea);
    for (const ControlPlan& plan : kLayout) make(plan);
}

QWidget* TableLayout::make(const ControlPlan& plan) {
    QWidget* widget = create(plan.kind, &at(plan.parent));
    widget->setObjectName(q(plan.name));
    setDesignGeometry(widget, QRect(plan.rect.x, plan.rect.y, plan.rect.width, plan.rect.height));
    widgets_.emplace(plan.name, widget);
    dress(widget, plan);
    return widget;
}

void TableLayout::applyTexts(const WindowTexts& texts) const {
    for (const TextTarget& target : kTexts) {
        const QString text = q(texts[target.key]);
        switch (target.place) {
            case TextPlace::MenuTitle:
                menu(target.name).setTitle(text);
                break;
            case TextPlace::Command:
                action(target.name).setText(text);
                break;
            case TextPlace::Hint:
                at(target.name).setToolTip(text);
                break;
            case TextPlace::Caption:
                setText(&at(target.name), text);
                break;
        }
    }
}

QWidget* TableLayout::widget(std::string_view name) const {
    const auto it = widgets_.find(name);
    return it == widgets_.end() ? nullptr : it->second;
}

QWidget& TableLayout::at(std::string_view name) const {
    return found(widgets_, name);
}

QAction& TableLayout::action(std::string_view name) const {
    return found(actions_, name);
}

QMenu& TableLayout::menu(std::string_view name) const {
    return found(menus_, name);
}

}  // namespace brisko
