// What the settings window offers to choose from: the installed skins with their descriptions,
// the alarm sounds of the program folder, and where a choice leads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv {

struct SkinInfo {
    std::string folder;  // the skin's folder name, stored in `Skin`
    std::string name;    // "skinname", else "skinnamehun", else the folder name
    std::string version;
    std::string author;
    std::string previewImage;  // full path; empty when the skin names none
};

// The sub-folders of programDir + "themes/" that hold a "theme.cfg", sorted by folder name.
std::vector<SkinInfo> listSkins(const std::string& programDir);

// The description keys of one theme.cfg's text: key = value lines ("#" and "//" start comments,
// a quoted value loses its quotes). `folder` ends with "/".
SkinInfo readSkinInfo(std::string_view folderName, const std::string& folder,
                      std::string_view themeText);

// The ".wav" files of programDir + "sounds/", names without ".wav", sorted.
std::vector<std::string> listAlarmSounds(const std::string& programDir);

// The file `playSoundButton` plays: the listed sound of the program folder, or with the second
// source the user's own file. Empty when there is nothing to play.
std::string alarmSoundChoicePath(const std::string& programDir, int source,
                                 std::string_view listedName, std::string_view customPath);

// The file name the backup page offers: "tempovirens_" + the ISO date.
std::string defaultBackupFileName(std::string_view isoDate);

}  // namespace tv
