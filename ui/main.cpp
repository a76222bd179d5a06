// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QMessageBox>
#include <memory>

#include "engine/random.h"
#include "records/user_store.h"
#include "ui/application.h"
#include "ui/program.h"
#include "ui/single_instance.h"
#ifndef _WIN32
#include "records/file_store.h"
#include "records/store_owner.h"
#endif

int main(int argc, char** argv) {
    brisko::BriskoApplication app(argc, argv);
    // One game per store: a second start brings the first to the front.
#ifndef _WIN32
    const QString storeFile = QString::fromStdString(brisko::defaultStorePath().string());
    const QString lockFile =
        QString::fromStdString(brisko::ownerLockPath(brisko::defaultStorePath()).string());
#else
    const QString storeFile = "HKEY_CURRENT_USER\\Software\\Caldimo\\BRISKO 99";
    const QString lockFile = QDir::temp().filePath("brisko99.owner");
#endif
    brisko::SingleInstance instance(storeFile, lockFile);
    switch (instance.start()) {
        case brisko::SingleInstance::Outcome::AskedTheOther:
            return 0;
        case brisko::SingleInstance::Outcome::HeldElsewhere:
            QMessageBox::critical(nullptr, "BRISKO 99", instance.heldMessage());
            return 1;
        case brisko::SingleInstance::Outcome::First:
        case brisko::SingleInstance::Outcome::Alone:
            break;
    }
    brisko::SystemClock clock;
    // The store never throws while it is made; its errors come with the load.
    const std::unique_ptr<brisko::SettingsStore> store = brisko::makeUserStore();
    brisko::Program program(clock, *store);
    QObject::connect(&instance, &brisko::SingleInstance::raiseRequested, &app, [&program] {
        brisko::SingleInstance::bringForward(
            {&program.frmChangeGame, &program.frmBrisko, &program.frmSplash});
    });
    QObject::connect(&program.frmSplash, &brisko::TfrmSplash::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
