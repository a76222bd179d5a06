// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessible_names.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QToolButton>

#include "contract/pay_table.h"
#include "engine/card.h"
#include "table/game.h"
#include "ui/fSplash.h"
#include "ui/pokerf.h"
#include "ui/widgets.h"

namespace brisko {

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

Txt offset(Txt first, int32_t n) {
    return static_cast<Txt>(static_cast<int32_t>(first) + n - 1);
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
QString cardOnTable(TfrmBrisko& window, int32_t slot) {
    World& world = window.world();
    const Texts& texts = world.texts;
    if (!window.ConteneurC[size_t(slot)]->isVisibleTo(window.control(Control::SuperPanelGarde))) {
        return q(texts[Txt::a11yFaceDown]);
    }
    QString name = q(spokenCard(texts, world.cards.hand[size_t(slot)]));
    const Stage stage = world.table.state.stage;
    if (stage == Stage::DoubleUpPick && slot == 1) {
        name = q(texts[Txt::a11yDealerCard]) + name;
    } else if (stage == Stage::AwaitingDraw && world.cards.held[size_t(slot)]) {
        name += q(texts[Txt::a11yHeld]);
    }
    return name;
}

QString shown(QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return QString(button->text()).remove('&');
    }
    return {};
}

}  // namespace

std::string spokenCard(const Texts& texts, int32_t card) {
    if (card == kJoker) return texts[Txt::a11yJoker];
    if (card < 1 || card > kJoker) return {};
    return texts[offset(Txt::a11yValue1, valueOfIndex(card))] +
           texts[offset(Txt::a11ySuit1, suitOfIndex(card))];
}

QString labelledValue(const Texts& texts, Txt hint, const QString& value) {
    return q(texts[hint]) + q(texts[Txt::a11ySeparator]) + value;
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
    World& world = window.world();
    const Texts& texts = world.texts;
    if (texts.language() == Language::None) return;
    const GameState& state = world.table.state;
    auto text = [&](Txt key) { return q(texts[key]); };
    auto name = [&](Control c, const QString& n, const QString& description = {}) {
        setAccessibleText(window.control(c), n, description);
    };

    for (int32_t slot = 1; slot <= kSlots; ++slot) {
        const QString card = cardOnTable(window, slot);
        setAccessibleText(window.PictureC[size_t(slot)], card);
        const QString digit = QString::number(slot);
        QString button = text(Txt::a11yHoldButton) + card;
        if (state.stage == Stage::DoubleUpPick && slot > 1) {
            button = text(Txt::a11yPickButton) + digit;
        }
        // The hint says which key does the same.
        name(holdButton(slot), button, window.ButtonC[size_t(slot)]->toolTip());
    }
    for (const PayRow& row : payTableRows) {
        const QString said =
            text(handNameKey(static_cast<int32_t>(row.category))) + text(Txt::a11yPays) +
            QString::number(payout(row.category, state.bet)) + text(Txt::a11yCredits);
        name(row.titlePanel, said);
        name(row.valuePanel, said);
    }
    for (auto [c, hint] : {std::pair{Control::PanelCredit, Txt::hintPanelCredit},
                           {Control::PanelMise, Txt::hintPanelMise},
                           {Control::PanelGain, Txt::hintPanelGain},
                           {Control::panelNomJoueur, Txt::hintPanelNomJoueur},
                           {Control::panelScoreJoueur, Txt::hintPanelScoreJoueur},
                           {Control::panelNiveau, Txt::hintPanelNiveau},
                           {Control::panelNumeroTirage, Txt::hintPanelNumeroTirage},
                           {Control::panelObjectifNbTirages, Txt::hintPanelObjectifNbTirages}}) {
        name(c, labelledValue(texts, hint, shown(window.control(c))));
    }
    // The message line is heard as it changes: a new name is announced.
    name(Control::panelResultat, shown(window.control(Control::panelResultat)),
         text(Txt::a11yMessageLine));
    name(Control::ButtonTirage, shown(window.control(Control::ButtonTirage)),
         text(state.stage == Stage::AwaitingDraw ? Txt::a11yDraw : Txt::a11yDeal));
    name(Control::PanelDoublage, text(Txt::captionPanelQuitteOuDouble));
    name(Control::ButtonNoDouble, shown(window.control(Control::ButtonNoDouble)),
         text(Txt::a11yQuitDescription));
    name(Control::ButtonYesDouble, shown(window.control(Control::ButtonYesDouble)),
         text(Txt::a11yDoubleDescription));
    // The tool bar's pictures and letters are heard by their hints.
    for (const char* n : {"SBNewGame", "SBChangeGame", "SBquit", "SBAide", "SBBossKey"}) {
        QWidget* button = window.widget(n);
        setAccessibleText(button, button->toolTip());
    }
}

void nameSplash(TfrmSplash& splash) {
    // Before the choice there is no language: each button speaks its own.
    Texts french;
    french.setLanguage(Language::French);
    Texts english;
    english.setLanguage(Language::English);
    setAccessibleText(splash.PanelStartFrench, splash.PanelStartFrench->text(),
                      q(french[Txt::a11yPlayFrench]));
    setAccessibleText(splash.PanelStartEnglish, splash.PanelStartEnglish->text(),
                      q(english[Txt::a11yPlayEnglish]));
}

}  // namespace brisko
