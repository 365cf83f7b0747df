// What the settings window does at once: skins, transparency, sounds, the picture folder, the
// font samples and the backup page.
#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QSlider>

#include "core/app/common_dialogs.h"
#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/events/windows/custom_colors.h"
#include "core/ports/clock.h"
#include "core/ports/dialogs.h"
#include "core/ports/message_box.h"
#include "core/ports/shell.h"
#include "core/ports/sound.h"
#include "core/settings/backup.h"
#include "core/settings/settings_close.h"
#include "gui/windows/font_sample.h"
#include "gui/windows/qt_text.h"
#include "gui/windows/settings_window.h"

namespace tv {

namespace {
// Previews are small pictures; a bigger file is not worth decoding here.
constexpr qint64 kMaxPreviewBytes = 8 << 20;
}  // namespace

void SettingsWindow::onSkinSelected(int row) {
    if (row < 0 || static_cast<size_t>(row) >= skins_.size()) {
        skinPreview_->clear();
        skinInfo_->clear();
        return;
    }
    const SkinInfo& skin = skins_[static_cast<size_t>(row)];
    QImageReader reader(QString::fromStdString(skin.previewImage));
    QImage preview;
    if (!skin.previewImage.empty() && QFileInfo(reader.fileName()).size() <= kMaxPreviewBytes) {
        preview = reader.read();
    }
    if (preview.isNull()) {
        skinPreview_->setPixmap({});
        skinPreview_->setText(qtString(*s_.strings, "sets_err_nopreview"));
    } else {
        skinPreview_->setPixmap(QPixmap::fromImage(preview.scaled(
            skinPreview_->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    skinInfo_->setText(qtString(*s_.strings, "sets_skin_author") + ' ' + qtText(skin.author));
}

void SettingsWindow::onSkinActivate() {
    const int row = skinList_->currentRow();
    if (row < 0 || static_cast<size_t>(row) >= skins_.size()) return;
    SettingsCloseContext ctx;
    ctx.settings = s_.settings;
    ctx.log = s_.log;
    ctx.reloadForSkin = [this] { reloadRequested_ = true; };
    activateSkin(ctx, skins_[static_cast<size_t>(row)].folder);
    h_.activeSkin = skins_[static_cast<size_t>(row)].folder;
    // The calendar reloads with the skin and brings this window back on the same page.
    done(QDialog::Accepted);
}

void SettingsWindow::onTransparency(int value) {
    transparencyValueLabel_->setText(QString::fromStdString(transparencyText(value)));
    if (showing_) return;
    c_.transparency = value;
    write(*s_.settings, settings::Transparency, std::to_string(value));
    if (h_.applyTransparency) h_.applyTransparency(value);
}

void SettingsWindow::onPlaySound() {
    if (h_.sound == nullptr) return;
    collect();
    const std::string path =
        alarmSoundChoicePath(s_.programDir, c_.alarmSoundSource, c_.alarmSoundFile,
                             read(*s_.settings, settings::CustomAlarmSound));
    h_.sound->stop();
    if (path.empty() || !h_.sound->play(path, false)) {
        if (s_.shell != nullptr) s_.shell->beep();
    }
}

void SettingsWindow::onCustomSound() {
    if (s_.dialogs == nullptr) return;
    const std::string current = read(*s_.settings, settings::CustomAlarmSound);
    const auto chosen = openFileDialog(*s_.dialogs, FileKind::kSounds, current,
                                       s_.strings->getString("sets_opensound"), false, *s_.strings);
    if (!chosen) return;
    write(*s_.settings, settings::CustomAlarmSound, *chosen);
    alarmSoundSourceOptions_[1]->setChecked(true);
    fillSoundList();
}

void SettingsWindow::onPictureFolder() {
    if (s_.dialogs == nullptr) return;
    const std::string folder = browseFolder(*s_.dialogs, s_.strings->getString("sets_newsrcdir"));
    if (folder.empty()) return;
    userPictureFolderEdit_->setText(qtText(folder));
    refresh();
}

void SettingsWindow::redrawSamples() {
    if (samples_[0] == nullptr) return;
    static const HashTable kNoTheme;
    const HashTable& theme = s_.theme != nullptr ? *s_.theme : kNoTheme;
    const int shadow = c_.textShadow ? c_.shadowType + 1 : 0;
    const StringTable& s = *s_.strings;
    const QStringList lines[kFontStyleCount] = {
        {qtString(s, "sets_sample_mb")},
        {qtString(s, "sets_sample_ms"), qtString(s, "sets_sample_ms2")},
        {qtString(s, "sets_sample_mu")}};
    for (int k = 0; k < kFontStyleCount; ++k) {
        const auto kind = static_cast<FontStyleKind>(k);
        const FontStyle style =
            c_.themeFonts ? themeFontStyle(theme, kind) : c_.fonts[static_cast<size_t>(k)];
        samples_[static_cast<size_t>(k)]->setSample(style, lines[k], shadow);
    }
}

void SettingsWindow::onFontSampleClicked(int kind, const QPoint& globalPos) {
    const StringTable& s = *s_.strings;
    QMenu menu(this);
    QAction* font = menu.addAction(plainCaption(qtString(s, "sets_tx_font")));
    QAction* colour = menu.addAction(plainCaption(qtString(s, "sets_tx_color1")));
    menu.addAction(plainCaption(qtString(s, "sets_tx_color2")));
    QAction* chosen = menu.exec(globalPos);
    if (chosen == nullptr || s_.dialogs == nullptr) return;

    FontStyle& style = c_.fonts[static_cast<size_t>(kind)];
    if (chosen == font) {
        FontRecord r{style.face, style.size, style.weight >= 600, style.italic};
        if (!s_.dialogs->chooseFont(r, 6, 72)) return;
        // The dialog only knows bold or not: a weight of the same side stays as it was.
        const bool wasBold = style.weight >= 600;
        style.face = r.name;
        style.size = r.size;
        if (r.bold != wasBold) style.weight = r.bold ? 700 : 400;
        style.italic = r.italic;
    } else {
        // The third entry is the shadow's colour.
        int& target = chosen == colour ? style.color : style.bgColor;
        target = chooseColorDialog(*s_.dialogs, *s_.settings, target);
    }
    // Editing a sample means the user's own fonts.
    userFontsOption_->setChecked(true);
    refresh();
}

void SettingsWindow::onFontReset() {
    const MessageAnswer a = s_.box == nullptr
                                ? MessageAnswer::kNo
                                : s_.box->show({s_.strings->getString("sets_fontreset"),
                                                s_.strings->getString("com_title"),
                                                MessageButtons::kYesNo, MessageIcon::kQuestion});
    if (a != MessageAnswer::kYes) return;
    static const HashTable kNoTheme;
    const HashTable& theme = s_.theme != nullptr ? *s_.theme : kNoTheme;
    for (int k = 0; k < kFontStyleCount; ++k) {
        c_.fonts[static_cast<size_t>(k)] = themeFontStyle(theme, static_cast<FontStyleKind>(k));
    }
    redrawSamples();
}

namespace {

BackupContext backupContext(const WindowServices& s, Shell* shell, const std::string& home) {
    BackupContext b;
    b.userDataDir = s.userDataDir;
    b.homeDir = home;
    b.settings = s.settings;
    b.strings = s.strings;
    b.clock = s.clock;
    b.box = s.box;
    b.shell = shell;
    b.log = s.log;
    return b;
}

}  // namespace

void SettingsWindow::refreshLastBackup() {
    if (s_.clock == nullptr) return;
    lastBackupLabel_->setText(qtText(lastBackupText(read(*s_.settings, settings::Backup_Last),
                                                    s_.clock->now().date, *s_.strings)));
}

void SettingsWindow::onBackupFolder() {
    if (s_.dialogs == nullptr) return;
    const auto folder = chooseBackupFolder(*s_.dialogs, backupContext(s_, s_.shell, h_.homeDir));
    if (!folder) return;
    backupFolderEdit_->setText(qtText(*folder));
    write(*s_.settings, settings::Backup_Folder, *folder);
}

void SettingsWindow::onBackupSave() {
    if (s_.clock == nullptr) return;
    const std::string folder = backupFolderEdit_->text().trimmed().toStdString();
    write(*s_.settings, settings::Backup_Folder, folder);
    HashTable* settings = s_.settings;
    const std::string path = s_.userDataDir + "settings.cfg";
    const std::function<void()> saveAll =
        h_.saveAllData ? h_.saveAllData : [settings, path] { writeConfig(*settings, path); };
    const BackupSaveResult r = saveBackup(backupContext(s_, s_.shell, h_.homeDir), folder,
                                          backupFileEdit_->text().toStdString(), saveAll);
    if (r == BackupSaveResult::kNoFileName) backupFileEdit_->setFocus();
    refreshLastBackup();
}

void SettingsWindow::onBackupRestore() {
    if (s_.dialogs == nullptr || s_.clock == nullptr) return;
    const BackupContext ctx = backupContext(s_, s_.shell, h_.homeDir);
    const auto path = askBackupToRestore(*s_.dialogs, ctx, backupFolderEdit_->text().toStdString());
    if (!path) return;
    RestoreHooks hooks;
    hooks.setRestoreFlag = [this] {
        restoredHere_ = true;
        if (h_.restoredSinceLoad != nullptr) *h_.restoredSinceLoad = true;
    };
    hooks.reload = h_.reloadAfterRestore;
    restoreBackup(ctx, *path, hooks);
    refreshLastBackup();
}

}  // namespace tv
