// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Makes sure one copy of the program runs per user. The first copy listens on a
// local socket named after the caller's name; a later copy asks it to come
// forward and then ends. A lock file serialises the check, so two copies started
// together cannot both become the first. Both live only in the user's private
// runtime directory, and only a peer of the same user counts (SO_PEERCRED): with
// no private place, or another user's socket there, Claim says Failed (and logs
// why), and the caller runs without the rule.
#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

class QLocalServer;
class QWidget;

class SingleInstance : public QObject {
public:
    enum class Outcome {
        First,           // no other copy runs; this one now answers later copies
        AnotherRunning,  // another copy runs and was asked to come forward
        AnotherStarting, // another copy held the lock for the whole wait
        Failed,          // the rendezvous could not be set up; the caller may run anyway
    };

    // `name` becomes part of file names in the user's runtime directory; characters
    // other than letters, digits, '-' and '_' are replaced.
    explicit SingleInstance(std::string name);
    ~SingleInstance() override;

    Outcome Claim(std::chrono::milliseconds lockWait = std::chrono::milliseconds(1000));

    // Called on the GUI thread in the first copy each time a later copy asks.
    void SetBringForwardHandler(std::function<void()> handler) { bringForward_ = std::move(handler); }

    // Shows a window normally (restoring it when minimised) and puts it in front.
    static void BringWindowForward(QWidget& window);

    // Empty when there is no private runtime directory.
    std::string SocketPath() const;
    std::string LockPath() const;

private:
    void OnConnection();

    std::string name_;
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> bringForward_;
};
