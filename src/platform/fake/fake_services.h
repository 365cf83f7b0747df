// Recording fakes of the remaining desktop services.
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "core/ports/autostart.h"
#include "core/ports/dialogs.h"
#include "core/ports/download.h"
#include "core/ports/shell.h"
#include "core/ports/single_instance.h"
#include "core/ports/sound.h"
#include "core/ports/text_measurer.h"

namespace tv {

class FakeShell : public Shell {
public:
    bool openDocument(const std::string& target) override {
        opened.push_back(target);
        return true;
    }
    void beep() override { ++beeps; }
    bool openDateTimeSettings() override { return dateTimeSettingsExists; }
    std::string computerName() const override { return computer; }
    std::string userName() const override { return user; }

    std::vector<std::string> opened;
    int beeps = 0;
    bool dateTimeSettingsExists = false;
    std::string computer = "testhost";
    std::string user = "tester";
};

class FakeSound : public Sound {
public:
    struct Play {
        std::string path;
        bool loop;
    };
    bool play(const std::string& path, bool loop) override {
        plays.push_back({path, loop});
        playing = playable;
        return playable;
    }
    void stop() override {
        ++stops;
        playing = false;
    }
    std::vector<Play> plays;
    int stops = 0;
    bool playing = false;
    bool playable = true;
};

class FakeAutostart : public Autostart {
public:
    std::optional<std::string> command() const override { return entry; }
    bool setCommand(const std::string& c) override {
        if (failWrites) return false;
        entry = c;
        ++writes;
        return true;
    }
    bool remove() override {
        bool had = entry.has_value();
        entry.reset();
        return had;
    }
    std::optional<std::string> entry;
    int writes = 0;
    bool failWrites = false;
};

class FakeDialogs : public Dialogs {
public:
    std::optional<std::string> openFile(const OpenFileRequest& r) override {
        fileRequests.push_back(r);
        return next(fileAnswers);
    }
    std::optional<std::string> saveFile(const OpenFileRequest& r) override {
        saveRequests.push_back(r);
        return next(saveAnswers);
    }
    std::optional<std::string> browseFolder(const std::string& title) override {
        folderTitles.push_back(title);
        return next(folderAnswers);
    }
    bool chooseFont(FontRecord& font, int, int) override {
        auto f = fontAnswers.empty() ? std::nullopt : fontAnswers.front();
        if (!fontAnswers.empty()) fontAnswers.pop_front();
        if (!f) return false;
        font = *f;
        return true;
    }
    bool chooseColor(int& colour, std::array<int, 16>&) override {
        auto c = colourAnswers.empty() ? std::nullopt : colourAnswers.front();
        if (!colourAnswers.empty()) colourAnswers.pop_front();
        if (!c) return false;
        colour = *c;
        return true;
    }

    std::vector<OpenFileRequest> fileRequests;
    std::vector<OpenFileRequest> saveRequests;
    std::vector<std::string> folderTitles;
    std::deque<std::optional<std::string>> fileAnswers, saveAnswers, folderAnswers;
    std::deque<std::optional<FontRecord>> fontAnswers;
    std::deque<std::optional<int>> colourAnswers;

private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& q) {
        if (q.empty()) return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

class FakeDownload : public Download {
public:
    void get(const std::string& url, Done done) override {
        urls.push_back(url);
        pending.push_back(std::move(done));
    }
    // Completes the oldest request.
    void finish(const DownloadResult& r) {
        Done d = std::move(pending.front());
        pending.pop_front();
        d(r);
    }
    std::vector<std::string> urls;
    std::deque<Done> pending;
};

class FakeSingleInstance : public SingleInstance {
public:
    bool becomePrimary(Receiver r) override {
        receiver = std::move(r);
        return primary;
    }
    bool send(const std::string& m) override {
        sent.push_back(m);
        return true;
    }
    bool primary = true;
    Receiver receiver;
    std::vector<std::string> sent;
};

// Every character is `charWidth` pixels wide (as twips), a blank `blankWidth`.
class FakeMeasurer : public TextMeasurer {
public:
    explicit FakeMeasurer(int charWidth = 7, int blankWidth = 3)
        : charWidth_(charWidth), blankWidth_(blankWidth) {}
    int textWidth(std::string_view text) const override;

private:
    int charWidth_;
    int blankWidth_;
};

inline int FakeMeasurer::textWidth(std::string_view text) const {
    int w = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        auto b = static_cast<unsigned char>(text[i]);
        if ((b & 0xC0) == 0x80) continue;  // continuation byte of one character
        w += text[i] == ' ' ? blankWidth_ : charWidth_;
    }
    return w * kTwipsPerPixel;
}

}  // namespace tv
