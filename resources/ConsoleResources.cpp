#include "ConsoleResources.h"

#include <QtCore/qglobal.h>

void initConsoleResources()
{
    Q_INIT_RESOURCE(talkback_files);
    Q_INIT_RESOURCE(talkback_images);
}
