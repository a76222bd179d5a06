// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fChangeGame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <exception>

#include "engine/rounding.h"
#include "records/game_choice.h"
#include "records/player_name.h"
#include "ui/figures.h"

namespace brisko {

namespace {

// A design length at the reference width m, to the nearest pixel, an exact
// half going to the even neighbour, as the main window scales.
int scaled(int design, int32_t m) {
    return static_cast<int>(roundHalfEven(int64_t{design} * m, 800));
}

void place(QWidget* widget, int x, int y, int w, int h, int32_t m) {
    widget->setGeometry(scaled(x, m), scaled(y, m), scaled(w, m), scaled(h, m));
}

void paint(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace

QValidator::State NameValidator::validate(QString& input, int& pos) const {
    const std::string name = upperCaseName(input.toStdString());
    if (nameCharacters(name) > kNameMaxCharacters) return Invalid;
    const QString upper = QString::fromStdString(name);
    if (upper != input) {
        pos += int(upper.size() - input.size());
        input = upper;
    }
    return Acceptable;
}

TfrmChangeGame::TfrmChangeGame(Records& records, const Texts& gameTexts, const WindowTexts& texts,
                               bool& firstOpening, ChangeGameHost& host, int32_t m, QWidget* parent)
    // The window manager draws no frame: it would add buttons (openbox puts a
    // close box and a minimise button on every title bar). The dialog draws
    // its own single border and caption bar.
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint),
      records_(records),
      gameTexts_(gameTexts),
      texts_(texts),
      firstOpening_(firstOpening),
      host_(host) {
    FormCreate(m);
    if (QWidget* owner = host_.mainWindow()) owner->installEventFilter(this);
}

void TfrmChangeGame::FormCreate(int32_t m) {
    setObjectName("frmChangeGame");
    paint(this, QColor(99, 185, 222));
    QFont font("MS Sans Serif");
    font.setPixelSize(scaled(11, m));
    setFont(font);
    border_ = std::max(1, scaled(1, m));
    captionHeight_ = scaled(18, m);
    auto* client = new QWidget(this);
    client->setObjectName("clientArea");
    client->setGeometry(border_, border_ + captionHeight_, scaled(429, m), scaled(289, m));
    client->setAutoFillBackground(true);
    setFixedSize(client->width() + 2 * border_, client->height() + captionHeight_ + 2 * border_);

    auto label = [&](const char* name, int x, int y, int w, int h, bool aqua) {
        auto* l = new QLabel(client);
        l->setObjectName(name);
        place(l, x, y, w, h, m);
        l->setAlignment(Qt::AlignCenter);
        l->setFrameStyle(QFrame::Panel | QFrame::Raised);
        if (aqua) paint(l, QColor(0, 255, 255));
        return l;
    };
    panelYourName = label("panelYourName", 10, 10, 163, 25, false);
    editYourName = new QLineEdit(client);
    editYourName->setObjectName("editYourName");
    place(editYourName, 176, 12, 243, 21, m);
    editYourName->setMaxLength(int(kNameMaxCharacters));
    editYourName->setValidator(new NameValidator(editYourName));
    editYourName->installEventFilter(this);

    groupBoxNiveauJeu = new QGroupBox(client);
    groupBoxNiveauJeu->setObjectName("groupBoxNiveauJeu");
    place(groupBoxNiveauJeu, 8, 42, 411, 91, m);
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        auto* rb = new QRadioButton(groupBoxNiveauJeu);
        rb->setObjectName(QString("rbNiveau%1").arg(t));
        place(rb, 8, 17 + 24 * (t - 1), 310, 21, m);
        connect(rb, &QRadioButton::clicked, this, &TfrmChangeGame::ShowSelectionBestScore);
        rbNiveau[size_t(t)] = rb;
    }

    groupBoxNbTirages = new QGroupBox(client);
    groupBoxNbTirages->setObjectName("groupBoxNbTirages");
    place(groupBoxNbTirages, 8, 146, 411, 69, m);
    const int lefts[] = {10, 96, 176, 258, 342};
    for (int32_t i = 1; i <= kTargets; ++i) {
        auto* rb = new QRadioButton(groupBoxNbTirages);
        rb->setObjectName(QString("rbNbTirages%1").arg(i));
        if (i < kUnlimitedTarget) {
            place(rb, lefts[i - 1], 17, 53, 21, m);
        } else {
            place(rb, 10, 41, 393, 21, m);
        }
        connect(rb, &QRadioButton::clicked, this, &TfrmChangeGame::ShowSelectionBestScore);
        rbNbTirages[size_t(i)] = rb;
    }

    panelTitreHighScore = label("panelTitreHighScore", 8, 224, 217, 25, false);
    panelNomHighScore = label("panelNomHighScore", 8, 250, 137, 31, true);
    panelValeurHighScore = label("panelValeurHighScore", 146, 250, 79, 31, true);

    buttonOK = new QPushButton(client);
    buttonOK->setObjectName("buttonOK");
    place(buttonOK, 229, 224, 190, 31, m);
    connect(buttonOK, &QPushButton::clicked, this, &TfrmChangeGame::buttonOKClick);
    buttonCancel = new QPushButton(client);
    buttonCancel->setObjectName("buttonCancel");
    place(buttonCancel, 229, 256, 190, 25, m);
    connect(buttonCancel, &QPushButton::clicked, this, &TfrmChangeGame::buttonCancelClick);

    setTabOrder(rbNiveau[1], rbNbTirages[1]);
    setTabOrder(rbNbTirages[1], buttonOK);
    setTabOrder(buttonOK, buttonCancel);
    // The name field comes last, after the buttons: Tab from OK goes on
    // through the choices, and reaches the name again.
    setTabOrder(buttonCancel, editYourName);
}

void TfrmChangeGame::OpenChangeGameDialog() {
    if (firstOpening_) {
        buttonCancel->setEnabled(false);
        setWindowTitle(q(texts_[WindowTxt::txtChooseGame]));
        firstOpening_ = false;
    } else {
        buttonCancel->setEnabled(true);
        setWindowTitle(q(texts_[WindowTxt::txtChangeGame]));
    }
    panelYourName->setText(q(texts_[WindowTxt::txtYourName]));
    panelTitreHighScore->setText(q(texts_[WindowTxt::txtHighScore]) + " :");
    groupBoxNiveauJeu->setTitle(q(gameTexts_[Txt::txtGameType]));
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        rbNiveau[size_t(t)]->setText(q(gameTexts_[gameTypeName(static_cast<GameType>(t))]));
    }
    groupBoxNbTirages->setTitle(q(texts_[WindowTxt::txtDrawCount]));
    buttonOK->setText(q(texts_[WindowTxt::txtOK]));
    buttonCancel->setText(q(texts_[WindowTxt::txtCancel]));
    // For screen readers: the field is named by its label, the best score
    // by its title.
    editYourName->setAccessibleName(panelYourName->text());
    panelNomHighScore->setAccessibleDescription(panelTitreHighScore->text());
    panelValeurHighScore->setAccessibleDescription(panelTitreHighScore->text());
    stale_ = true;
    // Above the game window, which a click would otherwise raise over it.
    if (QWidget* owner = host_.mainWindow(); owner && owner->windowHandle()) {
        winId();
        if (windowHandle()) windowHandle()->setTransientParent(owner->windowHandle());
    }
    // Centred on the screen the dialog opens on.
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

bool TfrmChangeGame::event(QEvent* event) {
    if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::ActivationChange) {
        update(captionRect());
    }
    if (event->type() == QEvent::WindowActivate && stale_) {
        stale_ = false;
        FormActivate();
    } else if (event->type() == QEvent::WindowDeactivate && !inBox_ &&
               QApplication::activeModalWidget() == nullptr) {
        stale_ = true;
    }
    return QWidget::event(event);
}

void TfrmChangeGame::FormActivate() {
    // A store error stops the load; the dialog shows what is held and the
    // player can still confirm, which writes it.
    QString error;
    try {
        records_.LoadSettings();
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
    host_.showOptions();
    if (!error.isEmpty()) message(error);
    const GameChoice stored = storedChoice(records_.settings);
    editYourName->setText(q(stored.name));
    // Without a name, the letters typed go straight into the name field.
    if (stored.name.empty()) {
        editYourName->setFocus(Qt::OtherFocusReason);
    } else {
        buttonOK->setFocus(Qt::OtherFocusReason);
    }
    if (isGameType(stored.gameType)) rbNiveau[size_t(stored.gameType)]->setChecked(true);
    if (stored.targetIndex >= 1 && stored.targetIndex <= kTargets) {
        rbNbTirages[size_t(stored.targetIndex)]->setChecked(true);
    }
    for (int32_t i = 1; i < kUnlimitedTarget; ++i) {
        rbNbTirages[size_t(i)]->setText(QString::number(records_.targetDraws[size_t(i)]));
    }
    rbNbTirages[kUnlimitedTarget]->setText(q(texts_[WindowTxt::txtUnlimitedScore]));
    showEntry(stored.gameType, stored.targetIndex);
}

int32_t TfrmChangeGame::checkedGameType() const {
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        if (rbNiveau[size_t(t)]->isChecked()) return t;
    }
    return 0;
}

int32_t TfrmChangeGame::checkedTarget() const {
    for (int32_t i = 1; i <= kTargets; ++i) {
        if (rbNbTirages[size_t(i)]->isChecked()) return i;
    }
    return 0;
}

void TfrmChangeGame::showEntry(int32_t gameType, int32_t targetIndex) {
    const HighScoreEntry* best = bestEntryOf(records_.settings, gameType, targetIndex);
    if (!best) return;
    panelNomHighScore->setText(q(best->name));
    panelValeurHighScore->setText(QString::number(best->points));
}

void TfrmChangeGame::ShowSelectionBestScore() {
    showEntry(checkedGameType(), checkedTarget());
}

void TfrmChangeGame::ConfirmChangeGame() {
    if (!nameAccepted(editYourName->text().toStdString())) {
        message(q(texts_[WindowTxt::txtEnterName]));
        editYourName->setFocus(Qt::OtherFocusReason);
        return;
    }
    const int32_t gameType = checkedGameType();
    const int32_t target = checkedTarget();
    closeDialog();
    // A refused save still starts the game that was chosen; the player is
    // told afterwards.
    QString saveError;
    try {
        records_.chooseGame(gameType, target, editYourName->text().toStdString());
    } catch (const StoreError& error) {
        saveError = QString::fromUtf8(error.what());
    }
    host_.startNewGame();
    if (!saveError.isEmpty()) host_.showDialogMessage(nullptr, saveError);
}

void TfrmChangeGame::message(const QString& text) {
    inBox_ = true;
    host_.showDialogMessage(this, text);
    inBox_ = false;
}

void TfrmChangeGame::buttonCancelClick() {
    closeDialog();
}

void TfrmChangeGame::editYourNameDblClick() {
    editYourName->clear();
}

void TfrmChangeGame::closeDialog() {
    closing_ = true;
    close();
    closing_ = false;
    host_.enableAndShowMainWindow();
}

// Only OK and Cancel close the dialog: at the first opening the game cannot
// go on without a name.
void TfrmChangeGame::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
    } else {
        event->ignore();
    }
}

QRect TfrmChangeGame::captionRect() const {
    return QRect(border_, border_, width() - 2 * border_, captionHeight_);
}

// A single dark border and a caption bar in the colours of an active or an
// inactive title bar, with the program's icon and the caption.
void TfrmChangeGame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(64, 64, 64));
    const QRect bar = captionRect();
    const bool active = isActiveWindow();
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    gradient.setColorAt(0, active ? QColor(0, 0, 128) : QColor(128, 128, 128));
    gradient.setColorAt(1, active ? QColor(16, 132, 208) : QColor(192, 192, 192));
    painter.fillRect(bar, gradient);
    const int pad = std::max(2, bar.height() / 8);
    QRect text = bar.adjusted(pad, 0, -pad, 0);
    const QIcon icon = windowIcon();
    if (!icon.isNull()) {
        const int side = bar.height() - 2 * pad;
        icon.paint(&painter, QRect(text.left(), bar.top() + pad, side, side));
        text.setLeft(text.left() + side + pad);
    }
    QFont font = this->font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, windowTitle());
}

// The caption bar moves the dialog: through the window manager when there is
// one, by hand otherwise.
void TfrmChangeGame::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !captionRect().contains(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (windowHandle() && windowHandle()->startSystemMove()) return;
    dragFrom_ = event->globalPosition().toPoint() - pos();
    dragging_ = true;
}

void TfrmChangeGame::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) move(event->globalPosition().toPoint() - dragFrom_);
    QWidget::mouseMoveEvent(event);
}

void TfrmChangeGame::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

// The dialog is not put away while the game waits on it: minimised by a
// window manager's command, alone or with the table (openbox minimises the
// two together), it comes back, and so does a table that waits on it (the
// first opening, when the table is disabled). A table still in play stays
// minimised with it: the whole game was put away, as the boss key does.
void TfrmChangeGame::comeBack() {
    if (!isVisible()) return;
    if (QWidget* owner = host_.mainWindow(); owner && owner->isMinimized()) {
        if (owner->isEnabled()) return;
        owner->setWindowState(owner->windowState() & ~Qt::WindowMinimized);
    }
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

void TfrmChangeGame::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        QTimer::singleShot(0, this, &TfrmChangeGame::comeBack);
    }
}

// Enter confirms wherever the focus is (a focused button presses itself,
// the name field confirms on its own), Escape cancels when cancelling is
// allowed; a held key does it once.
void TfrmChangeGame::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const int key = event->key();
    if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        if (!event->isAutoRepeat()) ConfirmChangeGame();
    } else if (plain && key == Qt::Key_Escape) {
        if (!event->isAutoRepeat() && buttonCancel->isEnabled()) buttonCancelClick();
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

bool TfrmChangeGame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editYourName && event->type() == QEvent::MouseButtonDblClick) {
        editYourNameDblClick();
        return true;
    }
    // The name field confirms on Enter and passes the key on: it is taken
    // here, once, and not again by the dialog.
    if (watched == editYourName && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (!key->isAutoRepeat()) ConfirmChangeGame();
            return true;
        }
    }
    if (watched == host_.mainWindow() && event->type() == QEvent::WindowStateChange &&
        host_.mainWindow()->isMinimized()) {
        QTimer::singleShot(0, this, &TfrmChangeGame::comeBack);
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace brisko
