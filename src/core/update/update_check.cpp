#include "core/update/update_check.h"

#include <algorithm>
#include <cstdlib>

#include "core/app/log.h"
#include "core/calc/text_format.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/ports/clock.h"
#include "core/ports/download.h"
#include "core/ports/message_box.h"
#include "core/ports/shell.h"
#include "core/ports/user_store.h"
#include "core/update/update_query.h"
#include "core/update/update_reply.h"

namespace tv {
namespace {

void logLine(const UpdateContext& ctx, std::string_view text, int level = 0) {
    if (ctx.log != nullptr) ctx.log->write(text, level);
}

int64_t secondsBetween(DateTime a, DateTime b) {
    return (static_cast<int64_t>(b.date.serialNumber()) - a.date.serialNumber()) * 86400 +
           (b.second - a.second);
}

void restartWait(UpdateState& state, const UpdateContext& ctx) {
    write(*ctx.settings, settings::Update_LastTime, isoDateTime(ctx.clock->now()));
    state.elapsed = 0;
}

void setInterval(UpdateState& state, const UpdateContext& ctx, int64_t seconds) {
    write(*ctx.settings, settings::Update_NextCheck, std::to_string(seconds));
    state.checkInterval = seconds;
}

void finishCheck(UpdateState& state, const UpdateContext& ctx, const DownloadResult& result) {
    state.requestOut = false;
    HashTable& s = *ctx.settings;
    if (!result.ok) {
        logLine(ctx, "Error, can't connect to the server.");
        logLine(ctx, "fGetOnlineVersion - Query done");
        if (ctx.saveSettings) ctx.saveSettings();
        return;
    }
    logLine(ctx, "fGetOnlineVersion - Query done");

    // The reply stays in memory: there is no "download_data.tmp" to write and clean up.
    const UpdateReply reply = parseUpdateReply(result.body);
    if (reply.status == UpdateReplyStatus::kInvalid) {
        state.checkStatus = kCheckInvalidReply;
        logLine(ctx, "Invalid downloaded content.");
    } else if (reply.status == UpdateReplyStatus::kNoEntry) {
        state.checkStatus = kCheckInvalidReply;
        logLine(ctx, "There is no such entry.");
    }
    write(s, settings::Update_LatestVerMaj, std::to_string(reply.latest.major));
    write(s, settings::Update_LatestVerMin, std::to_string(reply.latest.minor));
    write(s, settings::Update_LatestVerRev, std::to_string(reply.latest.revision));
    write(s, settings::Update_Link, reply.link);
    if (reply.newUserId && ctx.userStore != nullptr) {
        ctx.userStore->setString(std::string(installation::UserID), *reply.newUserId);
    }
    logLine(ctx, "Version local: v" + ctx.running.text() + "; online: v" + reply.latest.text());

    if (state.checkStatus != kCheckInvalidReply) {
        if (reply.latest == ctx.running) {
            state.checkStatus = kCheckUpToDate;
            logLine(ctx, "Current version is up to date");
        } else if (ctx.running > reply.latest) {
            state.checkStatus = kCheckRunningIsNewer;
            logLine(ctx, "Current version is newer");
        } else {
            state.checkStatus = kCheckOutdated;
            logLine(ctx, "Current version is outdated");
            // No wait: the notice appears at the next start.
            write(s, settings::Update_NextCheck, "0");
        }
    }
    if (ctx.saveSettings) ctx.saveSettings();
}

}  // namespace

VersionNumber storedLatestVersion(HashTable& settings, VersionNumber running) {
    const auto number = [&settings](const SettingKey& key, int def) {
        return static_cast<int>(leadingInteger(settings.itemAlt(key.key, std::to_string(def))));
    };
    return {number(settings::Update_LatestVerMaj, running.major),
            number(settings::Update_LatestVerMin, running.minor),
            number(settings::Update_LatestVerRev, running.revision)};
}

void updateStateAtStart(UpdateState& state, const UpdateContext& ctx) {
    HashTable& s = *ctx.settings;
    state.updatePending = storedLatestVersion(s, ctx.running) > ctx.running;
    if (!state.updatePending) write(s, settings::Update_NextCheck, std::to_string(kUpdateWeek));
    state.checkInterval = readInt(s, settings::Update_NextCheck);
    // An empty or unreadable time counts from the zero date: long ago, so a check is due.
    const DateTime last = parseDateTime(read(s, settings::Update_LastTime));
    state.elapsed = std::llabs(secondsBetween(last, ctx.clock->now()));
}

bool updateTick(UpdateState& state, const UpdateContext& ctx, Download* download, int seconds,
                bool startedThisTick) {
    state.uptime += seconds;
    state.elapsed += seconds;
    if (startedThisTick || state.uptime <= kUpdateMinUptime || state.updatePending ||
        state.checkInterval <= -1 || state.elapsed <= state.checkInterval || state.requestOut) {
        return false;
    }
    logLine(ctx, "Check for newer version", 1);
    getOnlineVersion(state, ctx, download, false);
    return true;
}

void getOnlineVersion(UpdateState& state, const UpdateContext& ctx, Download* download, bool manual,
                      std::function<void(int status)> done) {
    logLine(ctx, std::string("fGetOnlineVersion(") + (manual ? "manual" : "auto") + ")", 1);
    state.checkStatus = kCheckNoConnection;
    restartWait(state, ctx);

    UpdateQuery q;
    q.manual = manual;
    if (ctx.userStore != nullptr) {
        q.userId = ctx.userStore->getString(std::string(installation::UserID)).value_or("");
    }
    q.skin = ctx.skin;
    q.entries = ctx.entries;
    q.version = ctx.running;

    const std::string endpoint = readUpdateEndpoint(ctx.programDir);
    if (endpoint.empty()) {
        // Nothing was asked, so nothing "could not connect".
        logLine(ctx, "No update service is configured");
        state.checkStatus = kCheckNotConfigured;
        if (ctx.saveSettings) ctx.saveSettings();
        if (done) done(state.checkStatus);
        return;
    }
    auto finish = [&state, ctx, done = std::move(done)](const DownloadResult& r) {
        finishCheck(state, ctx, r);
        if (done) done(state.checkStatus);
    };
    if (download == nullptr) {
        finish(DownloadResult{});
        return;
    }
    state.requestOut = true;
    download->get(buildUpdateQuery(endpoint, q), std::move(finish));
}

std::optional<UpdateDialogModel> updateReminder(UpdateState& state, const UpdateContext& ctx,
                                                bool manual) {
    if (!manual &&
        (!state.updatePending || state.checkInterval < 0 || state.elapsed < state.checkInterval)) {
        return std::nullopt;
    }
    logLine(ctx, std::string("Current version is outdated, show alert (manual=") +
                     (manual ? "True" : "False") + ")");
    restartWait(state, ctx);

    UpdateDialogModel m;
    m.link = read(*ctx.settings, settings::Update_Link);
    m.currentVersion = "v" + ctx.running.text();
    m.onlineVersion = "v" + storedLatestVersion(*ctx.settings, ctx.running).text();
    for (size_t i = 0; i < m.laterTexts.size(); ++i)
        m.laterTexts[i] = ctx.strings->getString("updt_remlist" + std::to_string(i + 1));
    return m;
}

void updateDownloadClicked(UpdateState& state, const UpdateContext& ctx, Shell* shell,
                           std::string_view link) {
    if (shell != nullptr) {
        if (!link.empty()) {
            shell->openDocument(std::string(link));
        } else {
            shell->beep();
        }
    }
    setInterval(state, ctx, kUpdateAfterDownload);
}

void updateLaterClicked(UpdateState& state, const UpdateContext& ctx, size_t entry) {
    setInterval(state, ctx, kRemindLaterSeconds[std::min(entry, kRemindLaterSeconds.size() - 1)]);
}

std::optional<UpdateDialogModel> manualCheckFinished(UpdateState& state, const UpdateContext& ctx,
                                                     MessageBox* box, int status) {
    if (status == kCheckOutdated) return updateReminder(state, ctx, true);
    if (box == nullptr) return std::nullopt;
    MessageRequest m;
    if (status == kCheckNotConfigured) {
        m.text = ctx.strings->getString("about_msg_noservice");
        m.title = ctx.strings->getString("com_title");
        m.icon = MessageIcon::kInformation;
    } else if (status == kCheckInvalidReply || status == kCheckNoConnection) {
        m.text = ctx.strings->getString(status == kCheckInvalidReply ? "about_err_invalid"
                                                                     : "about_err_connect");
        m.title = ctx.strings->getString("com_error");
        m.icon = MessageIcon::kCritical;
    } else {
        m.text = ctx.strings->getString("about_msg_up2date");
        m.title = ctx.strings->getString("com_title");
        m.icon = MessageIcon::kInformation;
    }
    box->show(m);
    return std::nullopt;
}

}  // namespace tv
