#include <QGuiApplication>
#include <QScreen>
#include <memory>

#include "engine/random.h"
#include "records/user_store.h"
#include "ui/application.h"
#include "ui/pokerf.h"

int main(int argc, char** argv) {
    brisko::BriskoApplication app(argc, argv);
    QApplication::setApplicationName(brisko::kProductTitle);
    QApplication::setApplicationDisplayName(brisko::kProductTitle);
    QApplication::setStyle("Fusion");

    brisko::SystemClock clock;
    // The store never throws while it is made; its errors come with the load.
    const std::unique_ptr<brisko::SettingsStore> store = brisko::makeUserStore();
    brisko::TfrmBrisko window(clock, *store);
    // Until the splash window offers the choice, the game speaks French.
    window.chooseLanguage(brisko::kLanguageFrench);
    // Without a window manager a maximised window keeps its size: fill the
    // screen first.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.setGeometry(screen->availableGeometry());
    }
    window.showMaximized();
    window.setEnabled(true);
    window.world().table.startNewGame();
    return QApplication::exec();
}
