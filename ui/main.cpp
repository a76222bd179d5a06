// SPDX-License-Identifier: GPL-3.0-or-later
#include <memory>

#include "engine/random.h"
#include "records/user_store.h"
#include "ui/application.h"
#include "ui/program.h"

int main(int argc, char** argv) {
    brisko::BriskoApplication app(argc, argv);
    brisko::SystemClock clock;
    // The store never throws while it is made; its errors come with the load.
    const std::unique_ptr<brisko::SettingsStore> store = brisko::makeUserStore();
    brisko::Program program(clock, *store);
    QObject::connect(&program.frmSplash, &brisko::TfrmSplash::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
