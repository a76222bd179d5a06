// SPDX-License-Identifier: GPL-3.0-or-later
// One game per settings store. The first start holds a lock file beside the
// store and listens on a local socket; a second start asks it to come to the
// front and ends. Two copies saving in turn would each write back all their
// values and wipe the other's new best scores.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QWidget>
#include <initializer_list>

namespace brisko {

class SingleInstance : public QObject {
    Q_OBJECT

  public:
    enum class Outcome {
        First,          // this start holds the store
        AskedTheOther,  // a running game was asked to come to the front
        HeldElsewhere,  // a program that does not answer holds it (brisko-analyze play)
        Alone,          // no lock can be made there (a read-only folder): go on
    };

    // `storeFile` names the store in messages; `lockFile` is the lock beside it.
    SingleInstance(const QString& storeFile, const QString& lockFile, QObject* parent = nullptr);

    Outcome start();
    // After HeldElsewhere: what the player is told, in French and in English.
    QString heldMessage() const;

    // The first of `windows` that is shown, restored, raised and activated.
    static void bringForward(std::initializer_list<QWidget*> windows);

  signals:
    // A second start asked this one to come to the front.
    void raiseRequested();

  private:
    QString storeFile_;
    QLockFile lock_;
    QLocalServer server_;
    QString serverName_;
    qint64 holder_ = 0;
};

}  // namespace brisko
