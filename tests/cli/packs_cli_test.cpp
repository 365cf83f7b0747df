// Pack files, backups and the update check through tempovirens-cli as a whole process.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct Result {
    std::string out;
    int status = -1;
};

Result run(const std::string& args) {
    Result r;
    const std::string cmd = std::string(TV_CLI) + " " + args + " </dev/null 2>/dev/null";
    const tv::test::CommandResult c = tv::test::runShell(cmd);
    r.out = c.out;
    r.status = c.status;
    return r;
}

std::string q(const std::string& path) {
    return "'" + path + "'";
}

TEST(PackCli, CreateListExtract) {
    tv::test::TempDir dir;
    dir.write("a.txt", "alpha");
    dir.write("b.dat", std::string("\0\1\2", 3));
    ASSERT_EQ(run("pack create " + q(dir.file("p.qpk")) + " " + q(dir.file("a.txt")) + " " +
                  q(dir.file("b.dat")) + " --comment 'két fájl'")
                  .status,
              0);
    const Result list = run("pack list " + q(dir.file("p.qpk")));
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out.substr(0, 8), "a.txt\t5\t");
    EXPECT_NE(list.out.find("\nb.dat\t3\t"), std::string::npos);
    EXPECT_NE(run("--json pack list " + q(dir.file("p.qpk"))).out.find("\"comment\":\"két fájl\""),
              std::string::npos);

    EXPECT_EQ(run("pack extract " + q(dir.file("p.qpk")) + " " + q(dir.file("out/sub"))).status, 0);
    EXPECT_EQ(dir.read("out/sub/a.txt"), "alpha");
    EXPECT_EQ(dir.read("out/sub/b.dat"), std::string("\0\1\2", 3));

    EXPECT_EQ(run("pack create " + q(dir.file("x.qpk"))).status, 2);
    EXPECT_EQ(run("pack list " + q(dir.file("a.txt"))).status, 1);
    EXPECT_EQ(run("pack create " + q(dir.file("x.qpk")) + " " + q(dir.file("none"))).status, 1);
}

TEST(PackCli, BackupAndRestoreTheUserDataFolder) {
    tv::test::TempDir dir;
    fs::create_directories(dir.file("data"));
    dir.write("data/settings.cfg", "Skin = \"metal_big\"\r\n");
    const std::string opts = "--data-dir " + q(dir.file("data")) + " --now 2024-03-09T10:20:30 ";

    ASSERT_EQ(run(opts + "backup " + q(dir.file("mentés"))).status, 0);
    EXPECT_TRUE(fs::exists(dir.file("data/events.cdb")));  // made as a first start would
    EXPECT_NE(dir.read("data/settings.cfg").find("2024-03-09T10:20:30"), std::string::npos);
    const Result list = run("pack list " + q(dir.file("mentés.backup")));
    EXPECT_EQ(list.out.substr(0, 11), "events.cdb\t");
    EXPECT_NE(list.out.find("\nsettings.cfg\t"), std::string::npos);

    dir.write("data/settings.cfg", "Skin = \"paper_light\"\r\n");
    // Unconfirmed, nothing changes.
    EXPECT_EQ(run(opts + "restore " + q(dir.file("mentés.backup"))).status, 1);
    EXPECT_EQ(dir.read("data/settings.cfg"), "Skin = \"paper_light\"\r\n");
    EXPECT_EQ(run(opts + "restore " + q(dir.file("mentés.backup")) + " --yes").status, 0);
    EXPECT_NE(dir.read("data/settings.cfg").find("metal_big"), std::string::npos);

    EXPECT_EQ(run(opts + "restore " + q(dir.file("data/events.cdb")) + " --yes").status, 1);
    EXPECT_EQ(run(opts + "backup " + q(dir.file("no/such/folder/b"))).status, 1);
}

TEST(PackCli, UpdateCheckAgainstALocalService) {
    tv::test::TempDir dir;
    fs::create_directories(dir.file("prog/data"));
    fs::create_directories(dir.file("service"));
    fs::create_directories(dir.file("user"));
    const std::string opts =
        "--program-dir " + q(dir.file("prog")) + " --data-dir " + q(dir.file("user")) + " ";

    // No service configured: said so, not "no connection".
    const auto unconfigured = run(opts + "update-check");
    EXPECT_EQ(unconfigured.out.substr(0, 3), "-3\t");
    EXPECT_EQ(unconfigured.status, 1);

    dir.write("prog/data/update.cfg", "endpoint = \"file://" + dir.file("service") + "/\"\r\n");
    const std::string magic = "BRIMCOVE_CONTENT_INFO";
    // 99.0.0, no new identifier, a link.
    const std::string link = "https://example.org/get";
    dir.write("service/get_content_info.php",
              magic + std::string("\x01\x80\x63\x80\x00\x80\x00\x00\x80", 9) +
                  static_cast<char>(link.size()) + link);
    const Result r = run(opts + "update-check --manual");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, 2), "2\t");
    EXPECT_NE(r.out.find("\t99.0.0\n"), std::string::npos);
    EXPECT_NE(dir.read("user/settings.cfg").find("Update_NextCheck"), std::string::npos);
    EXPECT_NE(run(opts + "--json update-check").out.find("\"link\":\"https://example.org/get\""),
              std::string::npos);

    dir.write("service/get_content_info.php", "not a reply");
    EXPECT_EQ(run(opts + "update-check").out.substr(0, 3), "-2\t");
    EXPECT_EQ(run(opts + "update-check --auto").status, 2);
}

}  // namespace
