#include "platform/online/online_module.h"

#include "platform/qt/qt_caldav_client.h"
#include "platform/qt/qt_download.h"
#include "platform/qt/qt_secret_store.h"

namespace {

tv::Download* makeDownload() {
    return new tv::QtDownload();
}

tv::SecretStore* makeSecretStore() {
    return new tv::QtSecretStore();
}

tv::CalDavClient* makeCalDavClient(const tv::CalDavAccount& account,
                                   const std::atomic<bool>* cancel) {
    return new tv::QtCalDavClient(account, cancel);
}

constexpr tv::OnlineFactories kFactories{makeDownload, makeSecretStore, makeCalDavClient};

}  // namespace

extern "C" __attribute__((visibility("default"))) const tv::OnlineFactories* tvOnlineFactories() {
    return &kFactories;
}
