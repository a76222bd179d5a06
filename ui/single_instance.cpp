// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/single_instance.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLocalSocket>

#include "records/store_messages.h"

namespace brisko {

namespace {

// The socket: beside the lock file where its path fits a local socket's
// address; otherwise, and on Windows, a name made from the lock file's path.
// Either way one per store and user.
QString serverNameFor(const QString& lockFile) {
#ifndef Q_OS_WIN
    const QString beside = lockFile + ".socket";
    if (QFile::encodeName(beside).size() < 100) return beside;
#endif
    const QByteArray hash = QCryptographicHash::hash(lockFile.toUtf8(), QCryptographicHash::Sha1);
    return "brisko99-" + QString::fromLatin1(hash.toHex().left(16));
}

}  // namespace

SingleInstance::SingleInstance(const QString& storeFile, const QString& lockFile, QObject* parent)
    : QObject(parent),
      storeFile_(storeFile),
      lock_(lockFile),
      serverName_(serverNameFor(lockFile)) {
    // Held for the whole run: never taken as stale while its holder lives.
    lock_.setStaleLockTime(0);
}

SingleInstance::Outcome SingleInstance::start() {
    if (lock_.tryLock(0)) {
        // A socket left by a game that died is ours to replace.
        QLocalServer::removeServer(serverName_);
        connect(&server_, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
                emit raiseRequested();
            }
        });
        server_.listen(serverName_);
        return Outcome::First;
    }
    if (lock_.error() != QLockFile::LockFailedError) return Outcome::Alone;
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (socket.waitForConnected(2000)) {
        socket.write("raise\n");
        socket.waitForBytesWritten(2000);
        socket.disconnectFromServer();
        return Outcome::AskedTheOther;
    }
    QString host;
    QString application;
    lock_.getLockInfo(&holder_, &host, &application);
    return Outcome::HeldElsewhere;
}

QString SingleInstance::heldMessage() const {
    StoreProblem problem;
    problem.kind = StoreProblem::Kind::Held;
    problem.path = storeFile_.toStdString();
    problem.pid = static_cast<long>(holder_);
    return QString::fromStdString(describeStoreProblem(problem, Language::None));
}

void SingleInstance::bringForward(std::initializer_list<QWidget*> windows) {
    for (QWidget* window : windows) {
        if (window == nullptr || !window->isVisible()) continue;
        if (window->isMinimized()) window->showNormal();
        window->raise();
        window->activateWindow();
        return;
    }
}

}  // namespace brisko
