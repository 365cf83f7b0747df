// Where the folders are, from the environment the desktop gives the program.
#include "core/app/folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "support/temp_dir.h"

namespace tv {
namespace {

// Sets variables for one test and puts the old values back afterwards.
class Environment {
public:
    ~Environment() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }
    void set(const std::string& name, const char* value) {
        if (!saved_.contains(name)) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value) {
            ::setenv(name.c_str(), value, 1);
        } else {
            ::unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST(Folders, UserDataFollowsAnAbsoluteXdgDataHomeOnly) {
    Environment env;
    env.set("HOME", "/home/anna");
    env.set("XDG_DATA_HOME", "/data/anna");
    EXPECT_EQ(resolvePaths().userDataDir, "/data/anna/Brimcove Tempovirens/");
    env.set("XDG_DATA_HOME", "/data/anna/");
    EXPECT_EQ(resolvePaths().userDataDir, "/data/anna/Brimcove Tempovirens/");
    // A relative value is invalid by the desktop's rules: the default takes its place.
    env.set("XDG_DATA_HOME", "data");
    EXPECT_EQ(resolvePaths().userDataDir, "/home/anna/.local/share/Brimcove Tempovirens/");
    env.set("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(resolvePaths().userDataDir, "/home/anna/.local/share/Brimcove Tempovirens/");
}

TEST(Folders, ProgramAndPicturesFolders) {
    test::TempDir home;
    Environment env;
    std::string homeDir = home.dir();
    homeDir.pop_back();  // as the desktop sets it: no trailing slash
    env.set("HOME", homeDir.c_str());
    env.set("TEMPOVIRENS_PROGRAM_DIR", "/opt\\tv");
    env.set("XDG_PICTURES_DIR", nullptr);
    Paths p = resolvePaths();
    EXPECT_EQ(p.programDir, "/opt/tv/");
    EXPECT_EQ(p.picturesDir, "");  // no ~/Pictures either
    std::filesystem::create_directory(home.file("Pictures"));
    EXPECT_EQ(resolvePaths().picturesDir, home.file("Pictures") + "/");
    env.set("XDG_PICTURES_DIR", "/media/photos");
    EXPECT_EQ(resolvePaths().picturesDir, "/media/photos/");

    env.set("TEMPOVIRENS_PROGRAM_DIR", nullptr);
    p = resolvePaths();
    EXPECT_EQ(p.programDir, executableDir());
    EXPECT_EQ(p.executable, executablePath());
    EXPECT_TRUE(p.programDir.ends_with("/"));
    EXPECT_TRUE(p.executable.starts_with(p.programDir));
}

TEST(Folders, WithSlashAddsOneSlashOnlyWhenMissing) {
    EXPECT_EQ(withSlash(""), "/");
    EXPECT_EQ(withSlash("/a"), "/a/");
    EXPECT_EQ(withSlash("/a/"), "/a/");
}

}  // namespace
}  // namespace tv
