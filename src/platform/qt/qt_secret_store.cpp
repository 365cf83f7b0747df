#include "platform/qt/qt_secret_store.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>

namespace tv {
namespace {

// Runs a keychain job to its end; true when it succeeded.
bool runJob(QKeychain::Job& job, bool& reached) {
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.setAutoDelete(false);
    job.start();
    loop.exec();
    const QKeychain::Error e = job.error();
    reached = e != QKeychain::NoBackendAvailable && e != QKeychain::OtherError &&
              e != QKeychain::AccessDenied && e != QKeychain::NotImplemented;
    return e == QKeychain::NoError;
}

}  // namespace

std::optional<std::string> QtSecretStore::read(const std::string& key) {
    if (const auto it = memory_.find(key); it != memory_.end()) return it->second;
    QKeychain::ReadPasswordJob job(QString::fromLatin1(kService));
    job.setKey(QString::fromStdString(key));
    if (!runJob(job, keyring_)) return std::nullopt;
    return job.textData().toStdString();
}

bool QtSecretStore::write(const std::string& key, const std::string& secret) {
    QKeychain::WritePasswordJob job(QString::fromLatin1(kService));
    job.setKey(QString::fromStdString(key));
    job.setTextData(QString::fromStdString(secret));
    if (runJob(job, keyring_)) {
        memory_.erase(key);
        return true;
    }
    memory_[key] = secret;
    return false;
}

void QtSecretStore::remove(const std::string& key) {
    memory_.erase(key);
    QKeychain::DeletePasswordJob job(QString::fromLatin1(kService));
    job.setKey(QString::fromStdString(key));
    runJob(job, keyring_);
}

}  // namespace tv
