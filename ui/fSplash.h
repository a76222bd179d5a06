// SPDX-License-Identifier: GPL-3.0-or-later
// The first window of the program: the title, the notices, and the choice of
// French or English. It stays, hidden, for the whole run; closing it ends
// the program.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QTranslator>
#include <QWidget>
#include <optional>

#include "ui/pokerf.h"
#include "ui/start_up.h"

class QGroupBox;

namespace brisko {

class TfrmSplash : public QWidget {
    Q_OBJECT

  public:
    // Fills `startUp` as it is created.
    explicit TfrmSplash(StartUp& startUp, std::optional<ScreenMetrics> screen = {},
                        QWidget* parent = nullptr);

    // The game window the language choice hands over to.
    void setGameWindow(TfrmBrisko* window) { frmBrisko_ = window; }

    void PanelStartFrenchClick();
    void PanelStartEnglishClick();

    QGroupBox* FrameSplash = nullptr;
    QLabel* ImgLogo = nullptr;
    QLabel* lblCompanyProduct = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblCoAuthors = nullptr;
    QLabel* lblWarning = nullptr;
    QPushButton* PanelStartFrench = nullptr;
    QPushButton* PanelStartEnglish = nullptr;

  signals:
    // The splash was closed: the program ends.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormCreate(const ScreenMetrics& screen);
    void chooseLanguage(Language language);

    StartUp& startUp_;
    TfrmBrisko* frmBrisko_ = nullptr;
    QTranslator qtTranslator_;
};

// The program's own picture, drawn from its vectors at `size` pixels.
QPixmap briskoLogo(int size);

}  // namespace brisko
