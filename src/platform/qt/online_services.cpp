#include "platform/qt/online_services.h"

#include <QTimer>

#include "platform/online/online_module.h"

namespace tv {
namespace {

class UnreachableCalDav : public CalDavClient {
public:
    explicit UnreachableCalDav(std::string why) : why_(std::move(why)) {}
    DavStatus discover(std::vector<DavCalendar>&) override { return status(); }
    DavStatus calendarState(const std::string&, DavCalendar&) override { return status(); }
    DavStatus syncCollection(const std::string&, const std::string&, std::vector<DavEntry>&,
                             std::vector<std::string>&, std::string&) override {
        return status();
    }
    DavStatus listEtags(const std::string&, std::vector<DavEntry>&) override { return status(); }
    DavStatus multiget(const std::string&, const std::vector<std::string>&,
                       std::vector<DavObject>&) override {
        return status();
    }
    DavStatus put(const std::string&, const std::string&, const std::string&,
                  std::string&) override {
        return status();
    }
    DavStatus remove(const std::string&, const std::string&) override { return status(); }

private:
    DavStatus status() const { return {0, why_}; }
    std::string why_;
};

}  // namespace

OnlineModule::OnlineModule(std::string file)
    : module_(std::move(file), kOnlineModuleFile, kOnlineModuleEntry) {}

OnlineModule::~OnlineModule() = default;

OnlineModule& OnlineModule::program() {
    static OnlineModule module;
    return module;
}

const OnlineFactories* OnlineModule::factories() {
    using Entry = const OnlineFactories* (*)();
    auto entry = reinterpret_cast<Entry>(module_.entry());
    return entry != nullptr ? entry() : nullptr;
}

LazyDownload::~LazyDownload() = default;

void LazyDownload::get(const std::string& url, Done done) {
    if (!real_) {
        if (const OnlineFactories* f = module_.factories()) real_.reset(f->makeDownload());
    }
    if (real_) {
        real_->get(url, std::move(done));
        return;
    }
    // Later, like every answer of a download.
    QTimer::singleShot(0, [done = std::move(done)] { done(DownloadResult{}); });
}

LazySecretStore::~LazySecretStore() = default;

SecretStore* LazySecretStore::real() {
    if (!tried_) {
        tried_ = true;
        if (const OnlineFactories* f = module_.factories()) real_.reset(f->makeSecretStore());
    }
    return real_.get();
}

std::optional<std::string> LazySecretStore::read(const std::string& key) {
    if (SecretStore* s = real()) return s->read(key);
    const auto it = memory_.find(key);
    if (it == memory_.end()) return std::nullopt;
    return it->second;
}

bool LazySecretStore::write(const std::string& key, const std::string& secret) {
    if (SecretStore* s = real()) return s->write(key, secret);
    memory_[key] = secret;
    return false;
}

void LazySecretStore::remove(const std::string& key) {
    if (SecretStore* s = real()) {
        s->remove(key);
        return;
    }
    memory_.erase(key);
}

std::unique_ptr<CalDavClient> makeCalDavClient(const CalDavAccount& account,
                                               const std::atomic<bool>* cancel,
                                               OnlineModule& module) {
    if (const OnlineFactories* f = module.factories())
        return std::unique_ptr<CalDavClient>(f->makeCalDavClient(account, cancel));
    return std::make_unique<UnreachableCalDav>(module.error());
}

}  // namespace tv
