// SPDX-License-Identifier: GPL-3.0-or-later
// The game table on screen: every control the presenter writes into, the
// menu with its function keys, the four timers and the card pictures. The
// routing of its commands and the windows beside it live apart
// (ui/table_commands.h, ui/companions.h).
#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/random.h"
#include "records/settings.h"
#include "records/store.h"
#include "table/view.h"
#include "table/world.h"
#include "ui/card_renderer.h"
#include "ui/dialogs.h"
#include "ui/fChangeGame.h"
#include "ui/handlers.h"
#include "ui/scaling.h"
#include "ui/start_up.h"
#include "ui/table_layout.h"
#include "ui/widgets.h"
#include "ui/window_texts.h"

class QColorDialog;
class QPushButton;

namespace brisko {

class Companions;
class Statistics;
class StatisticsWindow;
class TableCommands;
class TableNames;
class Trainer;

class TfrmBrisko : public QMainWindow, public TableView {
    Q_OBJECT

  public:
    // Builds the table for `screen` (the primary screen when absent) and the
    // game world on `store`; created hidden and disabled. `dialogs` answers
    // the modal boxes (the toolkit's own when null).
    TfrmBrisko(const Clock& clock, SettingsStore& store, std::optional<ScreenMetrics> screen = {},
               Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    // The same, with the title and the store's key that the start set.
    TfrmBrisko(const StartUp& startUp, const Clock& clock, SettingsStore& store,
               std::optional<ScreenMetrics> screen = {}, Dialogs* dialogs = nullptr,
               QWidget* parent = nullptr);
    ~TfrmBrisko() override;

    World& world() { return *world_; }
    const World& world() const { return *world_; }
    // The texts of the window and of those beside it, in the game's language.
    const WindowTexts& windowTexts() const { return windowTexts_; }
    // The windows beside the table, and the routing of the commands.
    Companions& companions() { return *companions_; }
    TableCommands& commands() { return *commands_; }
    // The trainer: its options, its menu items and its panel (ui/trainer_dock.h).
    Trainer& trainer();
    // The program's first window, closed when this one closes, and the
    // change-game dialog the menu opens; both may be absent (tests).
    void setFirstWindow(QWidget* window);
    void setChangeGameDialog(TfrmChangeGame* dialog);
    // The menu and the controls by object name.
    const TableLayout& layout() const { return layout_; }
    // The scale the screen gives at creation; the table's scale now, which is
    // smaller while the window is too small for the whole table at that one.
    const ScreenScale& screenScale() const { return start_; }
    const ScreenScale& tableScale() const { return scale_; }
    int32_t cardWidth() const { return scale_.cardWidth; }
    int32_t cardHeight() const { return scale_.cardHeight; }

    // The player's language: the texts, then the options on the window.
    void chooseLanguage(Language language);
    void ApplyTexts();
    void ApplyOptions();
    // Background colour, the three check marks, panelResultat shown or hidden.
    void showOptions(const Settings& settings);
    // The colour chooser with `current` preselected; false when cancelled.
    bool chooseColour(uint32_t current, uint32_t& chosen);
    QString helpFile() const { return helpFile_; }
    // What the window shows the player, on the screen: its menu and the
    // table (not the background around them).
    QList<QRect> shownParts() const;
    // The five cards with their frames, hold labels and buttons, on the
    // screen.
    QRect cardsOnScreen() const;
    const QString& productTitle() const { return productTitle_; }
    const QString& versionText() const { return versionText_; }
    // The control the game's logic knows by that identifier.
    QWidget* control(Control control) const;
    // The widget of that object name, or null.
    QWidget* widget(std::string_view name) const;
    // The image last drawn into slot 1..5 ("PIQUE12"), empty before any.
    QString cardImage(int32_t slot) const;

    // TableView
    void ShowCard(int32_t slot) override;
    void StopAllTimers() override;
    void startTimer(Timer timer) override;
    void stopTimer(Timer timer) override;
    void DrawCard(int32_t slot, int32_t suit, int32_t value);

    // ControlView
    void setCaption(Control control, const std::string& text) override;
    void setVisible(Control control, bool visible) override;
    void setEnabled(Control control, bool enabled) override;
    void setFocus(Control control) override;
    void setColour(Control control, Colour colour) override;
    using QMainWindow::setEnabled;
    using QMainWindow::setFocus;
    using QMainWindow::setVisible;

    // The handler that the control, menu command or timer runs (the routing's).
    void handle(Handler handler);
    void startNewGame();
    // The statistics window, made at its first opening (F11).
    void OpenStatistics();
    Statistics& statistics();
    StatisticsWindow* statisticsWindow() const;

    // Control arrays by slot 1..5 (entry 0 unused) and the 15 best-score
    // panels 1..15 (numbers, names, scores).
    std::array<Panel*, 6> PanelG{};
    std::array<CardPicture*, 6> PictureC{};
    std::array<QPushButton*, 6> ButtonC{};
    std::array<Panel*, 6> ConteneurC{};
    std::array<Panel*, 16> panelScores{};

    QTimer timerDepart{this};
    QTimer TimerVoirDouble{this};
    QTimer TimerYesNoDoublage{this};
    QTimer timerCarteDoublage{this};
    // The toolkit's colour chooser, made at its first use: building it takes
    // longer than the rest of the window.
    QColorDialog& colourChooser();
    QColorDialog* ColorDialog1 = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormCreate(const ScreenMetrics& screen, const Clock& clock, const StartUp& startUp);
    void FormClose();
    void FormDestroy();
    void buildWindow();
    void setUpTimers();
    void findControls();
    void scaleTable(const ScreenScale& scale);
    void layOutCards();
    void placeTable();
    // The whole table in the client area, at the largest scale up to the
    // screen's that it fits at, the cards drawn again at their new size.
    void fitTable();
    void loadSettings();
    QTimer& timer(Timer timer);

    SettingsStore& store_;
    std::unique_ptr<World> world_;
    WindowTexts windowTexts_;
    QString productTitle_;
    QString versionText_;
    ScreenScale start_;
    ScreenScale scale_;
    QtDialogs qtDialogs_;
    Dialogs* dialogs_;

    CardRenderer cards_{this};
    std::array<QString, 6> cardImages_{};
    QString helpFile_;

    QWidget* surface_ = nullptr;  // the client area, in the background colour
    QWidget* board_ = nullptr;    // the table at its scaled size, centred
    TableLayout layout_;          // the menu and the controls, by object name
    std::array<QWidget*, kControlCount> byControl_{};

    Companions* companions_ = nullptr;
    std::unique_ptr<TableCommands> commands_;
    std::unique_ptr<TableNames> names_;
};

}  // namespace brisko
