#include "platform/qt/qt_user_store.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tv {
namespace {

TEST(QtUserStore, ValuesSurviveAReopen) {
    test::TempDir dir;
    const std::string ini = dir.file("Tempovirens.conf");
    {
        QtUserStore store(ini);
        EXPECT_TRUE(store.setString("Tempovirens/Install_Dir", "/opt/tempovirens/"));
        EXPECT_TRUE(store.setInt("Tempovirens/versionMajor", 1));
    }
    QtUserStore store(ini);
    EXPECT_EQ(store.getString("Tempovirens/Install_Dir"), "/opt/tempovirens/");
    EXPECT_EQ(store.getInt("Tempovirens/versionMajor"), 1);
    EXPECT_FALSE(store.getString("UserID").has_value());
    EXPECT_TRUE(store.remove("Tempovirens/versionMajor"));
    EXPECT_FALSE(store.remove("Tempovirens/versionMajor"));
}

}  // namespace
}  // namespace tv
