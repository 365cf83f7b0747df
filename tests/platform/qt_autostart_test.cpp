#include "platform/qt/qt_autostart.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/app/tray.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

TEST(QtAutostart, TheCommandSurvivesTheFileWhateverThePath) {
    test::TempDir dir;
    QtAutostart entry(dir.file("autostart/brimcove-tempovirens.desktop"));
    EXPECT_FALSE(entry.command().has_value());

    for (const char* program :
         {"/usr/bin/tempovirens", "/home/éva/Saját programok/tempovirens", "/opt/a\\b/100%/tv"}) {
        const std::string cmd = autostartCommand(program);
        ASSERT_TRUE(entry.setCommand(cmd));
        EXPECT_EQ(entry.command(), cmd) << program;
    }
    // The backslash is escaped once for the quoting and once for the file.
    EXPECT_NE(dir.read("autostart/brimcove-tempovirens.desktop")
                  .find("Exec=\"/opt/a\\\\\\\\b/100%%/tv\" -boot\n"),
              std::string::npos);
    // The desktop looks for TryExec's program as it is written: no quoting, "%" once.
    EXPECT_NE(
        dir.read("autostart/brimcove-tempovirens.desktop").find("\nTryExec=/opt/a\\\\b/100%/tv\n"),
        std::string::npos);

    EXPECT_TRUE(entry.remove());
    EXPECT_FALSE(entry.command().has_value());
    EXPECT_FALSE(std::filesystem::exists(entry.path()));
}

TEST(QtAutostart, EntriesTheDesktopSkipsCountAsNone) {
    test::TempDir dir;
    QtAutostart entry(dir.file("e.desktop"));
    dir.write("e.desktop",
              "# made by hand\n[Desktop Entry]\nName=Tempovirens\nExec = /usr/bin/tv\\s-boot\n"
              "X-GNOME-Autostart-enabled=false\n");
    EXPECT_FALSE(entry.command().has_value());

    dir.write("e.desktop",
              "[Desktop Entry]\r\nExec=/usr/bin/tv\\s-boot\r\nHidden=false\r\n"
              "[Desktop Action x]\r\nExec=/elsewhere\r\n");
    EXPECT_EQ(entry.command(), "/usr/bin/tv -boot");

    dir.write("e.desktop", "[Desktop Entry]\nExec=/usr/bin/tv -boot\nHidden=true\n");
    EXPECT_FALSE(entry.command().has_value());
}

}  // namespace
}  // namespace tv
