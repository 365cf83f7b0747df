// The desktop services the core calls, handed around as one bundle. A member left null is a
// service this front end does not have (the CLI has no dialogs, for instance).
#pragma once

#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/download.h"
#include "platform/image_loader.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/sound.h"
#include "platform/user_store.h"

namespace tv {

struct Platform {
    Clock* clock = nullptr;
    MessageBox* messageBox = nullptr;
    Dialogs* dialogs = nullptr;
    Shell* shell = nullptr;
    UserStore* userStore = nullptr;
    Autostart* autostart = nullptr;
    Sound* sound = nullptr;
    Download* download = nullptr;
    SingleInstance* singleInstance = nullptr;
    ImageLoader* images = nullptr;
    Paths paths;
};

}  // namespace tv
