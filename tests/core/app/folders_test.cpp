#include "core/app/folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace tv {
namespace {

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
