// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/application.h"

#include <QIcon>
#include <QMessageBox>
#include <exception>

#include "ui/fSplash.h"
#include "ui/held_keys.h"
#include "ui/start_up.h"

namespace brisko {

BriskoApplication::BriskoApplication(int& argc, char** argv)
    : QApplication(argc, argv), title_(QString::fromStdString(composeStartUp().productTitle)) {
    setApplicationName("brisko99");
    setDesktopFileName("org.brisko99.brisko99");
    setWindowIcon(QIcon(briskoLogo(128)));
    setStyle("Fusion");
    // The run ends with the splash window, hidden as it is (see Program).
    setQuitOnLastWindowClosed(false);
    HeldKeys::install(*this);
}

bool BriskoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        lastError_ = QString::fromUtf8(error.what());
        if (showErrors) QMessageBox::critical(activeWindow(), title_, lastError_);
    }
    return false;
}

}  // namespace brisko
