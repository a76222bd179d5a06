// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog in which the player types a name and chooses the game type and
// the number of draws; every confirmation starts a new game.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QValidator>
#include <QWidget>
#include <array>
#include <cstdint>

#include "contract/texts.h"
#include "records/settings.h"
#include "ui/window_texts.h"

class QGroupBox;

namespace brisko {

// What the dialog asks of the game window behind it.
class ChangeGameHost {
  public:
    virtual ~ChangeGameHost() = default;
    virtual void enableAndShowMainWindow() = 0;
    virtual void startNewGame() = 0;
    // The options as the settings now hold them, after a reload of the store.
    virtual void showOptions() = 0;
    // A plain message box over `parent`.
    virtual void showDialogMessage(QWidget* parent, const QString& text) = 0;
    // The window the dialog stays above, or null.
    virtual QWidget* mainWindow() { return nullptr; }
};

// Upper case for every letter typed or pasted, accented ones too, and no
// more than ten characters, as upperCaseName has it.
class NameValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

class TfrmChangeGame : public QWidget {
    Q_OBJECT

  public:
    // `m` is the reference width the window's layout is scaled to (800 at
    // design size); `firstOpening` is cleared by the first opening. The
    // game's texts name the game types.
    TfrmChangeGame(Records& records, const Texts& gameTexts, const WindowTexts& texts,
                   bool& firstOpening, ChangeGameHost& host, int32_t m = 800,
                   QWidget* parent = nullptr);

    void OpenChangeGameDialog();
    void FormActivate();
    void ShowSelectionBestScore();
    void ConfirmChangeGame();
    void buttonOKClick() { ConfirmChangeGame(); }
    void buttonCancelClick();
    void editYourNameDblClick();

    // The checked game type 1..3 and target index 1..6.
    int32_t checkedGameType() const;
    int32_t checkedTarget() const;

    QLabel* panelYourName = nullptr;
    QLineEdit* editYourName = nullptr;
    QGroupBox* groupBoxNiveauJeu = nullptr;
    std::array<QRadioButton*, kGameTypes + 1> rbNiveau{};
    QGroupBox* groupBoxNbTirages = nullptr;
    std::array<QRadioButton*, kTargets + 1> rbNbTirages{};
    QLabel* panelTitreHighScore = nullptr;
    QLabel* panelNomHighScore = nullptr;
    QLabel* panelValeurHighScore = nullptr;
    QPushButton* buttonOK = nullptr;
    QPushButton* buttonCancel = nullptr;

    // The caption bar the dialog draws at its top, inside its border.
    QRect captionRect() const;

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FormCreate(int32_t m);
    // Closes the dialog and hands the game back to the main window.
    void closeDialog();
    // Undoes a minimise of the dialog, or of the table waiting on it.
    void comeBack();
    void showEntry(int32_t gameType, int32_t targetIndex);
    // A message box of the dialog's own: coming back from it is no reason to
    // reload.
    void message(const QString& text);

    Records& records_;
    const Texts& gameTexts_;
    const WindowTexts& texts_;
    bool& firstOpening_;
    ChangeGameHost& host_;
    bool closing_ = false;
    // Set when another window of the game took the activation: coming back
    // then reloads the store; coming back from our own message box does not.
    bool stale_ = true;
    bool inBox_ = false;
    int border_ = 1;
    int captionHeight_ = 18;
    bool dragging_ = false;
    QPoint dragFrom_;
};

}  // namespace brisko
