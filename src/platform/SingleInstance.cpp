// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QWidget>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

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

Q_LOGGING_CATEGORY(lcSingleInstance, "zemko.tovik.platform")

// The user's runtime directory when it is private: a real directory (not a link)
// owned by this user that nobody else may write. Empty, with `why` set, otherwise;
// never a shared directory such as /tmp, where another user's socket could answer.
QString PrivateRuntimeDirectory(QString* why = nullptr)
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        if (why)
            *why = QStringLiteral("there is no usable runtime directory");
        return {};
    }
    struct stat status {};
    if (::lstat(QFile::encodeName(dir).constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::geteuid() || (status.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        if (why)
            *why = QStringLiteral("the runtime directory %1 is not a private directory of this user").arg(dir);
        return {};
    }
    return dir;
}

// The user id of the process at the other end of a local socket, or -1.
long PeerUserId(qintptr descriptor)
{
    struct ucred credentials {};
    socklen_t size = sizeof credentials;
    if (descriptor < 0 || ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 ||
        size != sizeof credentials)
        return -1;
    return long(credentials.uid);
}

bool IsOurUser(qintptr descriptor)
{
    return PeerUserId(descriptor) == long(::geteuid());
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
    const QString dir = PrivateRuntimeDirectory();
    if (dir.isEmpty())
        return {};
    return (dir + u'/' + QString::fromStdString(name_) + QStringLiteral(".socket")).toStdString();
}

std::string SingleInstance::LockPath() const
{
    const QString dir = PrivateRuntimeDirectory();
    if (dir.isEmpty())
        return {};
    return (dir + u'/' + QString::fromStdString(name_) + QStringLiteral(".lock")).toStdString();
}

SingleInstance::Outcome SingleInstance::Claim(std::chrono::milliseconds lockWait)
{
    if (server_)
        return Outcome::First;
    QString why;
    if (PrivateRuntimeDirectory(&why).isEmpty()) {
        qCWarning(lcSingleInstance).noquote() << why << "- running without the one-copy-per-user rule";
        return Outcome::Failed;
    }
    QLockFile lock(QString::fromStdString(LockPath()));
    if (!lock.tryLock(int(lockWait.count())))
        return lock.error() == QLockFile::LockFailedError ? Outcome::AnotherStarting : Outcome::Failed;

    const QString socketPath = QString::fromStdString(SocketPath());
    QLocalSocket probe;
    probe.connectToServer(socketPath);
    if (probe.waitForConnected(kSocketTimeoutMs)) {
        if (!IsOurUser(probe.socketDescriptor())) {
            // Not a copy of ours: never end because of it, and never remove its socket.
            qCWarning(lcSingleInstance).noquote()
                << "the socket" << socketPath << "belongs to another user - running without the one-copy-per-user rule";
            probe.abort();
            return Outcome::Failed;
        }
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
        // Only a copy run by the same user may bring this one forward.
        if (!IsOurUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
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
