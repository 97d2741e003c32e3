// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QWidget>

namespace {

const QByteArray kBringForwardRequest = "bring-forward\n";
constexpr int kSocketTimeoutMs = 1000;

std::string SafeName(const std::string& name)
{
    std::string safe;
    for (char c : name) {
        const bool ok =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
        safe += ok ? c : '_';
    }
    return safe.empty() ? std::string("instance") : safe;
}

QString RuntimeDirectory()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

} // namespace

SingleInstance::SingleInstance(std::string name) : name_(SafeName(name)) {}

SingleInstance::~SingleInstance()
{
    if (server_)
        server_->close();
}

std::string SingleInstance::SocketPath() const
{
    return (RuntimeDirectory() + u'/' + QString::fromStdString(name_) + QStringLiteral(".socket")).toStdString();
}

std::string SingleInstance::LockPath() const
{
    return (RuntimeDirectory() + u'/' + QString::fromStdString(name_) + QStringLiteral(".lock")).toStdString();
}

SingleInstance::Outcome SingleInstance::Claim(std::chrono::milliseconds lockWait)
{
    if (server_)
        return Outcome::First;
    QLockFile lock(QString::fromStdString(LockPath()));
    if (!lock.tryLock(int(lockWait.count())))
        return lock.error() == QLockFile::LockFailedError ? Outcome::AnotherStarting : Outcome::Failed;

    const QString socketPath = QString::fromStdString(SocketPath());
    QLocalSocket probe;
    probe.connectToServer(socketPath);
    if (probe.waitForConnected(kSocketTimeoutMs)) {
        probe.write(kBringForwardRequest);
        probe.waitForBytesWritten(kSocketTimeoutMs);
        probe.disconnectFromServer();
        return Outcome::AnotherRunning;
    }

    // Nobody answers: a socket file left by a copy that crashed is in the way.
    QLocalServer::removeServer(socketPath);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(socketPath))
        return Outcome::Failed;
    connect(server.get(), &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
    server_ = std::move(server);
    return Outcome::First;
}

void SingleInstance::OnConnection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto handle = [this, socket] {
            // Only the one short request is understood; anything longer is dropped.
            if (socket->bytesAvailable() > kBringForwardRequest.size()) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine(kBringForwardRequest.size() + 1);
            socket->disconnectFromServer();
            if (line == kBringForwardRequest && bringForward_)
                bringForward_();
        };
        connect(socket, &QLocalSocket::readyRead, this, handle);
        if (socket->bytesAvailable() > 0)
            handle();
    }
}

void SingleInstance::BringWindowForward(QWidget& window)
{
    if (window.isMinimized())
        window.showNormal();
    else
        window.show();
    window.raise();
    window.activateWindow();
}
