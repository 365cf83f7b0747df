#include "core/settings/settings_close.h"

#include <cerrno>
#include <cstring>

#include "core/app/log.h"
#include "core/app/tray.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/ports/autostart.h"
#include "core/ports/message_box.h"
#include "core/ports/sound.h"

namespace tv {
namespace {

// The choices stay in force while the calendar runs; the user must know they are not on disk.
void showSaveError(const SettingsCloseContext& ctx, int error) {
    const std::string why = error != 0 ? std::strerror(error) : "unknown error";
    if (ctx.log != nullptr) ctx.log->write("Error: settings.cfg not saved: " + why, 0);
    if (ctx.box == nullptr || ctx.strings == nullptr) return;
    ctx.box->show({ctx.strings->formatString("com_err_cfgsave", "settings.cfg") + "\r\n" + why,
                   ctx.strings->getString("com_error"), MessageButtons::kOk,
                   MessageIcon::kWarning});
}

}  // namespace

void activateSkin(const SettingsCloseContext& ctx, std::string_view skinFolder) {
    if (ctx.settings == nullptr || skinFolder.empty()) return;
    write(*ctx.settings, settings::Skin, skinFolder);
    if (ctx.log != nullptr) ctx.log->write("Skin activated: " + std::string(skinFolder), 1);
    if (ctx.reloadForSkin) ctx.reloadForSkin();
}

bool registerAutoStart(const SettingsCloseContext& ctx) {
    if (ctx.autostart == nullptr || ctx.settings == nullptr) return true;
    const bool wanted = autostartWanted(*ctx.settings);
    const std::string command = autostartCommand(ctx.executable);
    const auto current = ctx.autostart->command();
    bool ok = true;
    if (wanted && current != command) {
        ok = ctx.autostart->setCommand(command);
    } else if (!wanted && current) {
        ok = ctx.autostart->remove();
    }
    if (!ok && ctx.box != nullptr && ctx.strings != nullptr) {
        ctx.box->show({ctx.strings->getString("com_err_reg"), ctx.strings->getString("com_error"),
                       MessageButtons::kOk, MessageIcon::kWarning});
    }
    return ok;
}

SettingsCloseResult closeSettings(const SettingsControls& controls, std::string_view selectedSkin,
                                  std::string_view activeSkin, const SettingsCloseContext& ctx) {
    SettingsCloseResult r;
    if (!selectedSkin.empty() && selectedSkin != activeSkin && ctx.box != nullptr &&
        ctx.strings != nullptr) {
        const MessageAnswer a = ctx.box->show({ctx.strings->getString("sets_q_skinactivate"),
                                               ctx.strings->getString("com_title"),
                                               MessageButtons::kOkCancel, MessageIcon::kQuestion});
        if (a == MessageAnswer::kOk) {
            activateSkin(ctx, selectedSkin);
            r.skinActivated = true;
        }
    }

    if (!ctx.restoredSinceLoad && ctx.settings != nullptr) {
        writeSettingsControls(controls, *ctx.settings);
        r.written = true;
        r.autostartOk = registerAutoStart(ctx);
        errno = 0;
        r.saved = ctx.saveSettings ? ctx.saveSettings() : false;
        if (!r.saved) showSaveError(ctx, errno);
    }

    if (ctx.sound != nullptr) ctx.sound->stop();
    return r;
}

std::string transparencyText(int value) {
    return std::to_string(value) + "%";
}

}  // namespace tv
