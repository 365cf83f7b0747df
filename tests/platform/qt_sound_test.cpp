// The sounds' player module: loaded at the first play of a real sound file, never for a file
// that is not there, and a module that cannot be loaded makes a play fail instead of the program.
#include "platform/qt/qt_sound.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>

namespace tv {
namespace {

const std::string kSound = std::string(TV_TEST_PROGRAM_DIR) + "/sounds/Chimes.wav";

TEST(QtSoundTest, TheModuleIsLoadedAtTheFirstPlayOfARealFile) {
    ASSERT_TRUE(QFile::exists(QString::fromStdString(kSound)));
    QtSound sound;
    EXPECT_FALSE(sound.loaded());
    EXPECT_FALSE(sound.play(kSound + ".missing", false));
    EXPECT_FALSE(sound.loaded()) << "a missing file must not load the audio libraries";

    EXPECT_TRUE(sound.play(kSound, true));
    EXPECT_TRUE(sound.loaded()) << sound.loadError();
    EXPECT_TRUE(sound.play(kSound, false)) << "a second play reuses the player";
    sound.stop();
}

TEST(QtSoundTest, AModuleThatCannotBeLoadedFailsThePlayOnly) {
    QTemporaryDir dir;
    const QString fake = dir.filePath(QStringLiteral("libtempovirens_sound.so"));
    QFile file(fake);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a library");
    file.close();

    for (const std::string& module : {fake.toStdString(), dir.filePath("none.so").toStdString()}) {
        QtSound sound(module);
        EXPECT_FALSE(sound.play(kSound, false));
        EXPECT_FALSE(sound.loaded());
        EXPECT_FALSE(sound.loadError().empty());
        EXPECT_FALSE(sound.play(kSound, false)) << "tried once, then the play simply fails";
        sound.stop();
    }
}

}  // namespace
}  // namespace tv
