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

TEST(Folders, UserDataAndCacheFollowAnAbsoluteXdgFolderOnly) {
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

    env.set("XDG_CACHE_HOME", "/var/cache/anna");
    EXPECT_EQ(resolvePaths().cacheDir, "/var/cache/anna/Brimcove Tempovirens/");
    env.set("XDG_CACHE_HOME", "cache");
    EXPECT_EQ(resolvePaths().cacheDir, "/home/anna/.cache/Brimcove Tempovirens/");
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
    EXPECT_EQ(p.programDir, programDirFor("", executableDir()));
    EXPECT_EQ(p.executable, executablePath());
    EXPECT_TRUE(p.programDir.ends_with("/"));
    EXPECT_TRUE(p.executable.starts_with(executableDir()));
}

TEST(Folders, WithSlashAddsOneSlashOnlyWhenMissing) {
    EXPECT_EQ(withSlash(""), "/");
    EXPECT_EQ(withSlash("/a"), "/a/");
    EXPECT_EQ(withSlash("/a/"), "/a/");
}

// The build keeps data/ beside the executables; an install keeps it under share/, beside bin/.
TEST(ProgramFolder, TheBuildFolderTheInstalledShareOrTheNamedOne) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("build/bin/data"));
    std::filesystem::create_directories(dir.file("usr/bin"));
    std::filesystem::create_directories(dir.file("usr/share/tempovirens/data"));

    EXPECT_EQ(programDirFor("", dir.file("build/bin")), dir.file("build/bin") + "/");
    EXPECT_EQ(programDirFor("", dir.file("build/bin/")), dir.file("build/bin") + "/");
    EXPECT_EQ(programDirFor("", dir.file("usr/bin/")), dir.file("usr/share/tempovirens") + "/");
    // The override wins over both, even when it names no folder yet.
    EXPECT_EQ(programDirFor(dir.file("elsewhere"), dir.file("build/bin/")),
              dir.file("elsewhere") + "/");
    EXPECT_EQ(programDirFor(dir.file("elsewhere/"), dir.file("usr/bin/")),
              dir.file("elsewhere") + "/");
}

TEST(ProgramFolder, AnInstalledCopyIsFoundUnderAnyPrefixAsAPlainPath) {
    EXPECT_EQ(installedProgramDir(), "../share/tempovirens");
    // A folder without data/ is taken for bin/ of an install, whether or not share/ is there yet:
    // a missing string table is then reported by the string table's own message.
    EXPECT_EQ(programDirFor("", "/opt/tv/bin/"), "/opt/tv/share/tempovirens/");
    EXPECT_EQ(programDirFor("", "/usr/bin"), "/usr/share/tempovirens/");
    EXPECT_EQ(programDirFor("", "/usr/local/bin/../bin/"), "/usr/local/share/tempovirens/");
}

}  // namespace
}  // namespace tv
