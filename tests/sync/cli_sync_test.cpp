// The command-line tool's sync commands against a real Radicale, with no calendar running.
#include <gtest/gtest.h>

#include "support/run_command.h"
#include "support/temp_dir.h"
#include "sync/radicale_server.h"

namespace tv {
namespace {

class CliSync : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.up());
        ASSERT_TRUE(server.makeCalendar(server.calendar()));
    }
    // The tool on one data folder, its own runtime folder (no calendar there), no keyring.
    test::CommandResult cli(const test::TempDir& data, const std::string& args,
                            const std::string& input = "") {
        const std::string env = "XDG_RUNTIME_DIR=" + runtime.dir() +
                                " DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent ";
        const std::string feed = input.empty() ? "</dev/null " : "printf '" + input + "\\n' | ";
        return test::runShell(feed + env + TV_CLI + " --program-dir " + TV_TEST_PROGRAM_DIR +
                              " --data-dir '" + data.dir() + "' --today 2025-01-01 " + args +
                              " 2>&1");
    }
    void setup(const test::TempDir& data) {
        const test::CommandResult r = cli(
            data, "sync setup --url " + server.url() + " --user " + test::kUser, test::kPassword);
        ASSERT_EQ(r.status, 0) << r.out;
        EXPECT_NE(r.out.find(server.calendar()), std::string::npos) << r.out;
    }

    test::RadicaleServer server;
    test::TempDir runtime;
    test::TempDir laptop;
    test::TempDir desktop;
};

TEST_F(CliSync, SetupRunStatusOnTwoDataFolders) {
    setup(laptop);
    setup(desktop);
    const test::CommandResult added =
        cli(laptop, "--json events add --name Fogorvos --date 2025-05-03");
    ASSERT_EQ(added.status, 0) << added.out;
    const std::string slot =
        added.out.substr(added.out.find(':') + 1, added.out.find(',') - added.out.find(':') - 1);
    ASSERT_EQ(
        cli(laptop, "events add --name Anya --date 1950-02-01 --repeat year --anniversary").status,
        0);

    const test::CommandResult preview =
        cli(laptop, "--json sync run --dry-run --password-stdin", test::kPassword);
    EXPECT_EQ(preview.status, 0) << preview.out;
    EXPECT_NE(preview.out.find("\"uploaded\":2"), std::string::npos) << preview.out;

    const test::CommandResult up = cli(laptop, "--json sync run --password-stdin", test::kPassword);
    EXPECT_EQ(up.status, 0) << up.out;
    EXPECT_NE(up.out.find("\"uploaded\":2"), std::string::npos) << up.out;

    const test::CommandResult down =
        cli(desktop, "--json sync run --password-stdin", test::kPassword);
    EXPECT_NE(down.out.find("\"added\":2"), std::string::npos) << down.out;
    EXPECT_NE(cli(desktop, "events list --list 1").out.find("Fogorvos"), std::string::npos);

    const test::CommandResult status = cli(desktop, "--json sync status");
    EXPECT_NE(status.out.find("\"lastResult\":\"ok\""), std::string::npos) << status.out;
    EXPECT_EQ(cli(desktop, "sync conflicts").out, "");

    // A deletion with the tool reaches the other folder as a deletion.
    ASSERT_EQ(cli(laptop, "events delete " + slot + " --yes").status, 0);
    EXPECT_NE(cli(laptop, "--json sync run --password-stdin", test::kPassword)
                  .out.find("\"deletedRemote\":1"),
              std::string::npos);
    EXPECT_NE(
        cli(desktop, "--json sync run --password-stdin", test::kPassword).out.find("\"deleted\":1"),
        std::string::npos);
}

TEST_F(CliSync, AWrongPasswordOrAnUnsafeAddressIsRefused) {
    const test::CommandResult wrong =
        cli(laptop, "sync setup --url " + server.url() + " --user " + test::kUser, "rossz");
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.out.find("refused"), std::string::npos) << wrong.out;
    const test::CommandResult plain =
        cli(laptop, "sync setup --url http://example.org/dav/ --user x", "y");
    EXPECT_EQ(plain.status, 1);
    const test::CommandResult none = cli(laptop, "sync run");
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.out.find("sync setup"), std::string::npos) << none.out;
}

}  // namespace
}  // namespace tv
