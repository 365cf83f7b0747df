// The desktop services the core calls, handed around as one bundle. A member left null is a
// service this front end does not have (the CLI has no dialogs, for instance).
#pragma once

#include "core/ports/autostart.h"
#include "core/ports/clock.h"
#include "core/ports/dialogs.h"
#include "core/ports/download.h"
#include "core/ports/image_loader.h"
#include "core/ports/message_box.h"
#include "core/ports/notifier.h"
#include "core/ports/paths.h"
#include "core/ports/secret_store.h"
#include "core/ports/shell.h"
#include "core/ports/single_instance.h"
#include "core/ports/sound.h"
#include "core/ports/sync_host.h"
#include "core/ports/user_store.h"

namespace tv {

struct Platform {
    Clock* clock = nullptr;
    MessageBox* messageBox = nullptr;
    Dialogs* dialogs = nullptr;
    Shell* shell = nullptr;
    UserStore* userStore = nullptr;
    Autostart* autostart = nullptr;
    Sound* sound = nullptr;
    Notifier* notifier = nullptr;
    Download* download = nullptr;
    SingleInstance* singleInstance = nullptr;
    ImageLoader* images = nullptr;
    SecretStore* secrets = nullptr;
    SyncHost* sync = nullptr;  // the calendar's sync runs; null where there is none
    Paths paths;
};

}  // namespace tv
