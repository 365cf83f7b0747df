// The update notice and the about window's manual check: what each answer of the service
// shows, and what the notice's buttons store.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>

#include "core/update/update_check.h"
#include "gui/window_fixture.h"
#include "gui/windows/update_dialog.h"

namespace tv {
namespace {

using test::child;

class UpdateDialogTest : public test::WindowTest {
protected:
    UpdateDialogTest() {
        std::filesystem::create_directories(program.file("data"));
        program.write("data/update.cfg", "endpoint = \"https://updates.example/\"\n");
        ctx.settings = &settings;
        ctx.clock = &clock;
        ctx.strings = &strings;
        ctx.programDir = program.dir();
        ctx.skin = "metal_big";
        ctx.running = {1, 9, 5};
    }

    // The service's answer announcing `latest`, with a download link.
    static DownloadResult reply(VersionNumber latest) {
        std::string b = "BRIMCOVE_CONTENT_INFO";
        b += '\x01';
        for (int v : {latest.major, latest.minor, latest.revision}) {
            const int biased = v + 32768;
            b += static_cast<char>(biased >> 8);
            b += static_cast<char>(biased & 0xFF);
        }
        b += '\x00';
        const std::string link = "https://updates.example/get";
        b += static_cast<char>(0x80);
        b += static_cast<char>(link.size());
        b += link;
        return {true, b};
    }

    test::TempDir program;
    UpdateContext ctx;
    UpdateState state;
    FakeDownload download;
};

TEST_F(UpdateDialogTest, ManualCheckSaysWhatTheServiceAnswered) {
    runManualUpdateCheck(state, ctx, &download, &box, &shell, nullptr);
    ASSERT_EQ(download.urls.size(), 1u);
    EXPECT_NE(download.urls[0].find("check_type=manual"), std::string::npos);
    download.finish({false, {}});
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, strings.getString("about_err_connect"));
    EXPECT_EQ(box.shown[0].icon, MessageIcon::kCritical);

    runManualUpdateCheck(state, ctx, &download, &box, &shell, nullptr);
    download.finish({true, "not a reply"});
    EXPECT_EQ(box.shown.back().text, strings.getString("about_err_invalid"));

    runManualUpdateCheck(state, ctx, &download, &box, &shell, nullptr);
    download.finish(reply({1, 9, 4}));  // ours is newer
    EXPECT_EQ(box.shown.back().text, strings.getString("about_msg_up2date"));
    EXPECT_EQ(box.shown.back().icon, MessageIcon::kInformation);
}

TEST_F(UpdateDialogTest, OutdatedShowsTheNoticeAndNeverStopsTheReminders) {
    const char* shots = std::getenv("TV_SCREENSHOT_DIR");
    whenModal([&](QWidget* dialog) {
        EXPECT_EQ(child<QLabel>(dialog, "lblCurrentVer")->text(), "v1.9.5");
        EXPECT_EQ(child<QLabel>(dialog, "lblOnlineVer")->text(), "v2.0.0");
        auto* later = child<QComboBox>(dialog, "cmbLater");
        EXPECT_EQ(later->count(), 7);
        EXPECT_EQ(later->currentIndex(), 2);  // two hours
        if (shots != nullptr)
            dialog->grab().save(QString::fromLocal8Bit(shots) + "/frmUpdateDialog.png");
        later->setCurrentIndex(6);  // never
        child<QPushButton>(dialog, "cmdLater")->click();
    });
    runManualUpdateCheck(state, ctx, &download, &box, &shell, nullptr);
    download.finish(reply({2, 0, 0}));
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(settings.item("Update_NextCheck"), "-1");
    EXPECT_EQ(state.checkInterval, -1);
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(UpdateDialogTest, DownloadOpensTheLinkAndAsksAgainTomorrow) {
    UpdateDialogModel model;
    model.link = "https://updates.example/get";
    model.currentVersion = "v1.9.5";
    model.onlineVersion = "v2.0.0";
    UpdateDialog dialog(model, state, ctx, &shell);
    child<QPushButton>(&dialog, "cmdDownload")->click();
    EXPECT_EQ(shell.opened, std::vector<std::string>{"https://updates.example/get"});
    EXPECT_EQ(settings.item("Update_NextCheck"), "86400");

    model.link.clear();
    UpdateDialog noLink(model, state, ctx, &shell);
    child<QPushButton>(&noLink, "cmdDownload")->click();
    EXPECT_EQ(shell.beeps, 1);
}

}  // namespace
}  // namespace tv
