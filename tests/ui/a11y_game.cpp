// SPDX-License-Identifier: GPL-3.0-or-later
// The game as its menu entry starts it, but on a clock fixed at the
// milliseconds given as its argument: every deal and draw is then known in
// advance, for the test that reads the accessibility tree.
#include <QObject>
#include <memory>
#include <string>

#include "engine/random.h"
#include "records/user_store.h"
#include "ui/application.h"
#include "ui/program.h"

int main(int argc, char** argv) {
    const int32_t milliseconds = argc > 1 ? std::stoi(argv[1]) : 0;
    brisko::BriskoApplication app(argc, argv);
    brisko::FixedClock clock(milliseconds);
    const std::unique_ptr<brisko::SettingsStore> store = brisko::makeUserStore();
    brisko::Program program(clock, *store);
    QObject::connect(&program.frmSplash, &brisko::TfrmSplash::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
