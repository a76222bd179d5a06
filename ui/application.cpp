#include "ui/application.h"

#include <QMessageBox>
#include <exception>

namespace brisko {

BriskoApplication::BriskoApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool BriskoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        lastError_ = QString::fromUtf8(error.what());
        if (showErrors) QMessageBox::critical(activeWindow(), applicationDisplayName(), lastError_);
    }
    return false;
}

}  // namespace brisko
