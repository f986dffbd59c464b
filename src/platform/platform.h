#pragma once

#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/registry.h"

namespace velquor::platform {

/// What the windows need from the operating system; main() passes the real
/// ones, tests pass scripted fakes.
struct Platform {
    Dialogs& dialogs;
    Registry& registry;
    Launcher& launcher;
};

}  // namespace velquor::platform
