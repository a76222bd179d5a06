#include <QIcon>
#include <memory>

#include "engine/random.h"
#include "records/user_store.h"
#include "ui/application.h"
#include "ui/program.h"

int main(int argc, char** argv) {
    brisko::BriskoApplication app(argc, argv);
    const brisko::StartUp title = brisko::composeStartUp();
    QApplication::setApplicationName("brisko99");
    QApplication::setApplicationDisplayName(QString::fromStdString(title.productTitle));
    QApplication::setDesktopFileName("org.brisko99.Brisko99");
    QApplication::setWindowIcon(QIcon(brisko::briskoLogo(128)));
    QApplication::setStyle("Fusion");
    // The run ends with the splash window, hidden as it is (see Program).
    QApplication::setQuitOnLastWindowClosed(false);

    brisko::SystemClock clock;
    // The store never throws while it is made; its errors come with the load.
    const std::unique_ptr<brisko::SettingsStore> store = brisko::makeUserStore();
    brisko::Program program(clock, *store);
    QObject::connect(&program.frmSplash, &brisko::TfrmSplash::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
