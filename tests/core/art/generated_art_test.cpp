// What the art generator wrote into the program folder agrees with the skins' theme.cfg: every
// image named is there and large enough for the rectangles the drawing copies out of it, the
// holiday pictures and icons exist, and the shipped theme.cfg is the source in Windows-1250.
// Skipped when the build did not paint the art (a build without the GUI).
#include "core/calc/files.h"
#include "core/config/cp1250.h"
#include "core/events/holidays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {
namespace {

namespace fs = std::filesystem;

struct Size {
    int w = 0, h = 0;
};

uint32_t bigEndian(const std::string& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
    return v;
}

// Width and height from a PNG's IHDR or a JPEG's start-of-frame, without decoding.
std::optional<Size> imageSize(const fs::path& file) {
    std::string b;
    if (readWholeFile(file.string(), b) != ReadResult::kOk) return std::nullopt;
    if (b.size() >= 24 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 &&
        b.compare(12, 4, "IHDR") == 0)
        return Size{static_cast<int>(bigEndian(b, 16, 4)), static_cast<int>(bigEndian(b, 20, 4))};
    if (b.size() < 4 || static_cast<unsigned char>(b[0]) != 0xFF ||
        static_cast<unsigned char>(b[1]) != 0xD8)
        return std::nullopt;
    size_t at = 2;
    while (at + 9 < b.size()) {
        if (static_cast<unsigned char>(b[at]) != 0xFF) return std::nullopt;
        unsigned marker = static_cast<unsigned char>(b[at + 1]);
        uint32_t length = bigEndian(b, at + 2, 2);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return Size{static_cast<int>(bigEndian(b, at + 7, 2)),
                        static_cast<int>(bigEndian(b, at + 5, 2))};
        at += 2 + length;
    }
    return std::nullopt;
}

// Keys and values of a theme.cfg; the generator's files use only plain "key = value" lines.
std::map<std::string, std::string> readPlain(const std::string& utf8) {
    std::map<std::string, std::string> t;
    size_t pos = 0;
    while (pos < utf8.size()) {
        size_t end = utf8.find('\n', pos);
        if (end == std::string::npos) end = utf8.size();
        std::string line = utf8.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t eq = line.find(" = ");
        if (line.rfind("//", 0) == 0 || eq == std::string::npos) continue;
        std::string v = line.substr(eq + 3);
        if (v.size() >= 2 && v.front() == '"') v = v.substr(1, v.find('"', 1) - 1);
        t[line.substr(0, eq)] = v;
    }
    return t;
}

class GeneratedArt : public ::testing::Test {
protected:
    void SetUp() override {
        program = fs::path(TV_TEST_PROGRAM_DIR);
        if (!fs::exists(program / "themes" / "metal_big" / "theme.cfg"))
            GTEST_SKIP() << "no painted skins in " << program << " (built without the GUI?)";
    }
    fs::path program;
};

TEST_F(GeneratedArt, ShippedThemeIsTheSourceInWindows1250WithCrLf) {
    for (const auto& e : fs::directory_iterator(fs::path(TV_TEST_SOURCE_DIR) / "data" / "themes")) {
        std::string source, shipped;
        ASSERT_EQ(readWholeFile((e.path() / "theme.cfg").string(), source), ReadResult::kOk);
        ASSERT_EQ(readWholeFile((program / "themes" / e.path().filename() / "theme.cfg").string(),
                                shipped),
                  ReadResult::kOk)
            << e.path().filename();
        const bool nonAscii = std::any_of(source.begin(), source.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0x80;
        });
        if (nonAscii) {
            EXPECT_FALSE(isValidUtf8(shipped)) << e.path().filename() << " was shipped as UTF-8";
        }
        EXPECT_EQ(shipped.find("\n"), shipped.find("\r\n") + 1) << "line ends must be CR LF";
        std::string back = cp1250ToUtf8(shipped), unix;
        for (char c : back)
            if (c != '\r') unix += c;
        EXPECT_EQ(unix, source) << e.path().filename();
    }
}

TEST_F(GeneratedArt, EveryImageIsThereAndCoversWhatIsCutFromIt) {
    for (const auto& e : fs::directory_iterator(program / "themes")) {
        std::string bytes;
        ASSERT_EQ(readWholeFile((e.path() / "theme.cfg").string(), bytes), ReadResult::kOk);
        auto t = readPlain(decodeTextFile(bytes));
        auto n = [&](const std::string& k) { return std::stoi(t.at(k)); };
        auto size = [&](const std::string& key) {
            auto s = imageSize(e.path() / t[key]);
            EXPECT_TRUE(s.has_value()) << e.path().filename() << ": " << key << " = " << t[key];
            return s.value_or(Size{});
        };
        const std::string skin = e.path().filename().string();
        Size main = size("tx_main_bg");
        EXPECT_EQ(main.w, n("window_width")) << skin;
        EXPECT_EQ(main.h, n("window_height")) << skin;
        for (const char* k : {"tx_cal_bg", "tx_alarm_bg"}) {
            Size s = size(k);
            EXPECT_GE(s.w, n("picture_w")) << skin << ": " << k;
            EXPECT_GE(s.h, n("picture_h")) << skin << ": " << k;
        }
        for (const char* k : {"tx_event_mark", "tx_today"}) {
            Size s = size(k);
            EXPECT_GE(s.w, n("cal_field_w")) << skin << ": " << k;
            EXPECT_GE(s.h, n("cal_field_h")) << skin << ": " << k;
        }
        if (t.count("tx_today2")) {
            Size s = size("tx_today2");
            EXPECT_GE(s.w, n("calhome_w")) << skin;
            EXPECT_GE(s.h, n("calhome_h")) << skin;
        }
        for (const char* k : {"tx_wise_bg", "tx_mask_wise_bg"}) {
            Size s = size(k);
            EXPECT_GE(s.w, n("wise_w")) << skin << ": " << k;
            EXPECT_GE(s.h, n("wise_h")) << skin << ": " << k;
        }
        Size sheet = size("tx_buttons");
        for (int i = 0; i < 12; ++i) {
            const std::string p = "tx" + std::to_string(i);
            EXPECT_LE(n(p + "_ux") + n(p + "_w"), sheet.w) << skin << ": " << p;
            EXPECT_LE(n(p + "_dx") + n(p + "_w"), sheet.w) << skin << ": " << p;
            for (const char* y : {"_uy", "_dy", "_oy"})
                EXPECT_LE(n(p + y) + n(p + "_h"), sheet.h) << skin << ": " << p << y;
        }
        EXPECT_TRUE(imageSize(e.path() / t["previewimage"]).has_value()) << skin;
    }
}

TEST_F(GeneratedArt, HolidayPicturesAndIconsExist) {
    // The pictures the built-in holidays and the welcome event refer to.
    std::vector<std::string> names = {"welcome"};
    for (const BuiltinHoliday& h : builtinHolidays()) {
        if (h.picture.empty()) continue;
        const std::string_view file = h.picture.substr(h.picture.find_last_of('\\') + 1);
        names.emplace_back(file.substr(0, file.size() - 4));  // without ".jpg"
    }
    EXPECT_EQ(names.size(), 19u);
    for (const std::string& name : names) {
        auto s = imageSize(program / "pictures" / (name + ".jpg"));
        ASSERT_TRUE(s.has_value()) << name;
        EXPECT_GE(s->w, 640) << name;
        EXPECT_GE(s->h, 480) << name;
        EXPECT_EQ(s->w * 3, s->h * 4) << name << " is not 4:3";
    }
    for (int px : {16, 32, 48, 256}) {
        auto s = imageSize(program / "icons" / ("tempovirens_" + std::to_string(px) + ".png"));
        ASSERT_TRUE(s.has_value()) << px;
        EXPECT_EQ(s->w, px);
        EXPECT_EQ(s->h, px);
    }
    std::string desktop;
    ASSERT_EQ(readWholeFile((program / "tempovirens.desktop").string(), desktop), ReadResult::kOk);
    EXPECT_EQ(desktop.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(desktop.find("\nExec="), std::string::npos);
    EXPECT_NE(desktop.find("/icons/tempovirens_256.png"), std::string::npos);
}

}  // namespace
}  // namespace tv
