// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessible_names.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QToolButton>

#include "contract/pay_table.h"
#include "contract/texts.h"
#include "engine/card.h"
#include "table/game.h"
#include "ui/fSplash.h"
#include "ui/figures.h"
#include "ui/pokerf.h"
#include "ui/widgets.h"

namespace brisko {

namespace {

WindowTxt offset(WindowTxt first, int32_t n) {
    return static_cast<WindowTxt>(static_cast<int32_t>(first) + n - 1);
}

// A control that is pressed by a click of its own: its "Press" action sends
// the click, as the mouse would.
class Pressable : public QAccessibleWidget {
  public:
    Pressable(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}
    QString text(QAccessible::Text t) const override {
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty()) {
            if (const auto* label = qobject_cast<const QLabel*>(widget())) text = label->text();
        }
        return text;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && widget()->isEnabled()) {
            QMetaObject::invokeMethod(widget(), "clicked");
        }
    }
};

QAccessibleInterface* briskoFactory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (className == QLatin1String("brisko::CardPicture")) {
        return new Pressable(widget, QAccessible::Graphic);
    }
    if (className == QLatin1String("brisko::Panel")) {
        const auto* panel = qobject_cast<Panel*>(widget);
        if (panel && panel->isPushButton()) return new Pressable(widget, QAccessible::Button);
    }
    return nullptr;
}

// A card on the table as the player sees it: face down while its frame is
// hidden; the dealer's card in the pick; ", held" while holds count.
QString cardOnTable(const World& world, const WindowTexts& texts, int32_t slot) {
    if (!world.presenter.shown().faceUp[size_t(slot)]) return q(texts[WindowTxt::a11yFaceDown]);
    QString name = q(spokenCard(texts, world.cards.hand[size_t(slot)]));
    const Stage stage = world.table.state.stage;
    if (stage == Stage::DoubleUpPick && slot == 1) {
        name = q(texts[WindowTxt::a11yDealerCard]) + name;
    } else if (stage == Stage::AwaitingDraw && world.cards.held[size_t(slot)]) {
        name += q(texts[WindowTxt::a11yHeld]);
    }
    return name;
}

// What a control shows: the caption the presenter gave it, or the one of
// the language it was made with; a button's shortcut mark is not said.
QString shown(const World& world, const WindowTexts& texts, Control control,
              std::optional<WindowTxt> made = std::nullopt) {
    const std::optional<std::string>& caption = world.presenter.shown().caption(control);
    QString text = caption ? q(*caption) : made ? q(texts[*made]) : QString();
    return text.remove('&');
}

}  // namespace

std::string spokenCard(const WindowTexts& texts, int32_t card) {
    if (card == kJoker) return texts[WindowTxt::a11yJoker];
    if (card < 1 || card > kJoker) return {};
    return texts[offset(WindowTxt::a11yValue1, valueOfIndex(card))] +
           texts[offset(WindowTxt::a11ySuit1, suitOfIndex(card))];
}

QString labelledValue(const WindowTexts& texts, WindowTxt hint, const QString& value) {
    return q(texts[hint]) + q(texts[WindowTxt::a11ySeparator]) + value;
}

void setAccessibleText(QWidget* widget, const QString& name, const QString& description) {
    if (widget->accessibleName() != name) widget->setAccessibleName(name);
    if (widget->accessibleDescription() != description) {
        widget->setAccessibleDescription(description);
    }
}

void installAccessibleFactory() {
    QAccessible::removeFactory(briskoFactory);
    QAccessible::installFactory(briskoFactory);
}

void nameTable(TfrmBrisko& window) {
    const World& world = window.world();
    const WindowTexts& texts = window.windowTexts();
    if (texts.language() == Language::None) return;
    const GameState& state = world.table.state;
    auto text = [&](WindowTxt key) { return q(texts[key]); };
    auto name = [&](Control c, const QString& n, const QString& description = {}) {
        setAccessibleText(window.control(c), n, description);
    };

    for (int32_t slot = 1; slot <= kSlots; ++slot) {
        const QString card = cardOnTable(world, texts, slot);
        setAccessibleText(window.PictureC[size_t(slot)], card);
        const QString digit = QString::number(slot);
        QString button = text(WindowTxt::a11yHoldButton) + card;
        if (state.stage == Stage::DoubleUpPick && slot > 1) {
            button = text(WindowTxt::a11yPickButton) + digit;
        }
        // The hint says which key does the same.
        name(holdButton(slot), button, text(WindowTxt::hintButtonC) + digit + ")");
    }
    for (const PayRow& row : payTableRows) {
        const QString said = q(world.texts[handNameKey(static_cast<int32_t>(row.category))]) +
                             text(WindowTxt::a11yPays) +
                             QString::number(payout(row.category, state.bet)) +
                             text(WindowTxt::a11yCredits);
        name(row.titlePanel, said);
        name(row.valuePanel, said);
    }
    for (auto [c, hint] :
         {std::pair{Control::PanelCredit, WindowTxt::hintPanelCredit},
          {Control::PanelMise, WindowTxt::hintPanelMise},
          {Control::PanelGain, WindowTxt::hintPanelGain},
          {Control::panelNomJoueur, WindowTxt::hintPanelNomJoueur},
          {Control::panelScoreJoueur, WindowTxt::hintPanelScoreJoueur},
          {Control::panelNiveau, WindowTxt::hintPanelNiveau},
          {Control::panelNumeroTirage, WindowTxt::hintPanelNumeroTirage},
          {Control::panelObjectifNbTirages, WindowTxt::hintPanelObjectifNbTirages}}) {
        name(c, labelledValue(texts, hint, shown(world, texts, c)));
    }
    // The message line is heard as it changes: a new name is announced.
    name(Control::panelResultat, shown(world, texts, Control::panelResultat),
         text(WindowTxt::a11yMessageLine));
    name(Control::ButtonTirage,
         shown(world, texts, Control::ButtonTirage, WindowTxt::captionButtonTirage),
         text(state.stage == Stage::AwaitingDraw ? WindowTxt::a11yDraw : WindowTxt::a11yDeal));
    name(Control::PanelDoublage, text(WindowTxt::captionPanelQuitteOuDouble));
    name(Control::ButtonNoDouble,
         shown(world, texts, Control::ButtonNoDouble, WindowTxt::captionButtonNoDouble),
         text(WindowTxt::a11yQuitDescription));
    name(Control::ButtonYesDouble,
         shown(world, texts, Control::ButtonYesDouble, WindowTxt::captionButtonYesDouble),
         text(WindowTxt::a11yDoubleDescription));
    // The tool bar's pictures and letters are heard by their hints.
    for (auto [n, hint] : {std::pair{"SBNewGame", WindowTxt::hintSBNewGame},
                           {"SBChangeGame", WindowTxt::hintSBChangeGame},
                           {"SBquit", WindowTxt::hintSBquit},
                           {"SBAide", WindowTxt::hintSBAide},
                           {"SBBossKey", WindowTxt::hintSBBossKey}}) {
        setAccessibleText(window.widget(n), text(hint));
    }
}

void TableNames::onEvent(const GameEvent&) {
    nameTable(window_);
}

void nameSplash(TfrmSplash& splash) {
    // Before the choice there is no language: each button speaks its own.
    WindowTexts french;
    french.setLanguage(Language::French);
    WindowTexts english;
    english.setLanguage(Language::English);
    setAccessibleText(splash.PanelStartFrench, splash.PanelStartFrench->text(),
                      q(french[WindowTxt::a11yPlayFrench]));
    setAccessibleText(splash.PanelStartEnglish, splash.PanelStartEnglish->text(),
                      q(english[WindowTxt::a11yPlayEnglish]));
}

}  // namespace brisko
