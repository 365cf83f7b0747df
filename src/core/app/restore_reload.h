// The calendar again after a backup was restored.
#pragma once

#include "core/app/window_host.h"

namespace tv {

// The files on disk are now the backup's. The window goes down without saving anything over
// them, the settings and the event table are read again from the restored files (the old
// generation's ".qzi" files are imported when the backup held those), and the window comes up
// with the mode "restore".
void reloadAfterRestore(AppContext& ctx);

}  // namespace tv
