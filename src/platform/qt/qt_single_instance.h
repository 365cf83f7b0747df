// One calendar per user: a lock file in the runtime folder decides who is first; the first
// listens on a local socket there, and later starts hand it one short text and wait for the
// answer, which comes only after the first has handled it.
#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "platform/single_instance.h"

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace tv {

class QtSingleInstance : public QObject, public SingleInstance {
    Q_OBJECT
public:
    // Text plus its closing zero byte, as the message always travelled.
    static constexpr int kMaxMessageBytes = 255;
    static constexpr int kReadTimeoutMs = 1000;
    static constexpr int kReplyTimeoutMs = 30000;
    static constexpr const char* kSocketName = "Brimcove Tempovirens - Calendar SystemTray";
    static constexpr const char* kLockName = "Brimcove Tempovirens.lock";

    // $XDG_RUNTIME_DIR (Qt's runtime location when it is unset).
    QtSingleInstance();
    // An explicit runtime folder (tests).
    explicit QtSingleInstance(const std::string& runtimeDir);
    ~QtSingleInstance() override;

    bool becomePrimary(Receiver receiver) override;
    bool send(const std::string& message) override;

    std::string socketPath() const;

private:
    void accept();
    void readFrom(QLocalSocket* socket);

    std::string dir_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    Receiver receiver_;
};

}  // namespace tv
