// SPDX-License-Identifier: GPL-3.0-or-later
// One game per store: a second start asks the first to come to the front,
// and a store that brisko-analyze play holds is refused with its process id.
#include <unistd.h>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "records/store_owner.h"
#include "ui/single_instance.h"

using namespace brisko;

class SingleInstanceTest : public QObject {
    Q_OBJECT

  private slots:
    void aSecondStartBringsTheFirstForward() {
        QTemporaryDir dir;
        const QString lock = dir.filePath("user.reg.owner");
        SingleInstance first(dir.filePath("user.reg"), lock);
        QCOMPARE(first.start(), SingleInstance::Outcome::First);
        QSignalSpy asked(&first, &SingleInstance::raiseRequested);
        SingleInstance second(dir.filePath("user.reg"), lock);
        QCOMPARE(second.start(), SingleInstance::Outcome::AskedTheOther);
        QVERIFY(asked.wait());
    }

    void aStoreThatPlayHoldsIsRefusedByName() {
        QTemporaryDir dir;
        const std::filesystem::path store = dir.filePath("user.reg").toStdString();
        const StoreOwner play(store);
        SingleInstance game(dir.filePath("user.reg"),
                            QString::fromStdString(ownerLockPath(store).string()));
        QCOMPARE(game.start(), SingleInstance::Outcome::HeldElsewhere);
        const QString text = game.heldMessage();
        QVERIFY2(text.contains("(processus " + QString::number(::getpid()) + ")"),
                 qPrintable(text));
        QVERIFY2(text.contains("already in use by another copy of the game"), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)

#include "single_instance_test.moc"
