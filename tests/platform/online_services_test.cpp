// The online module loaded at first use: with it the program's real download, keyring and
// CalDAV client; without it (a broken installation) each of them fails alone, quietly and
// without taking the program down.
#include "platform/qt/online_services.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <optional>

#include "platform/online/online_module.h"
#include "support/qt_application.h"

namespace tv {
namespace {

class OnlineServicesTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureApplication(); }
    OnlineModule missing{"/nonexistent/libtempovirens_online.so"};
};

TEST_F(OnlineServicesTest, WithoutTheModuleEveryUseFailsOnItsOwn) {
    EXPECT_EQ(missing.factories(), nullptr);
    EXPECT_NE(missing.error().find("libtempovirens_online.so"), std::string::npos);

    // The download answers later, as a real one does, and says it failed.
    LazyDownload download(missing);
    std::optional<bool> ok;
    download.get("https://example.org/version.txt", [&](const DownloadResult& r) { ok = r.ok; });
    EXPECT_FALSE(ok.has_value());
    QDeadlineTimer guard(5000);
    while (!ok && !guard.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(ok, std::optional<bool>(false));

    // The password lives as long as the program, and the caller hears it was not kept.
    LazySecretStore secrets(missing);
    EXPECT_FALSE(secrets.write("sync", "titok"));
    EXPECT_EQ(secrets.read("sync"), std::optional<std::string>("titok"));
    secrets.remove("sync");
    EXPECT_EQ(secrets.read("sync"), std::nullopt);

    // Every request of a sync gets no answer, with the reason for the log.
    auto client = makeCalDavClient({"https://dav.example.org/", "anna", "titok"}, nullptr, missing);
    std::vector<DavCalendar> calendars;
    const DavStatus status = client->discover(calendars);
    EXPECT_EQ(status.http, 0);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.error, missing.error());
}

TEST_F(OnlineServicesTest, TheProgramsModuleIsFoundBesideTheProgramAndLoadedOnce) {
    OnlineModule& module = OnlineModule::program();
    const OnlineFactories* factories = module.factories();
    ASSERT_NE(factories, nullptr) << module.error();
    EXPECT_EQ(module.factories(), factories);
    // A plain-http server address other than this machine's is refused by the real client
    // before any connection.
    auto client = makeCalDavClient({"http://dav.example.org/", "anna", "titok"}, nullptr);
    std::vector<DavCalendar> calendars;
    EXPECT_FALSE(client->discover(calendars).ok());
}

}  // namespace
}  // namespace tv
