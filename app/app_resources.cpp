// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a function in the global namespace.
static void RegisterAppResources()
{
    Q_INIT_RESOURCE(app);
    Q_INIT_RESOURCE(tamo_translations);
}

namespace tamo::app {

void LoadAppResources()
{
    static const bool loaded = (RegisterAppResources(), true);
    (void)loaded;
}

} // namespace tamo::app
