#include "core/errors.h"
#include "database/page.h"
#include "events/palette.h"
#include "platform/sound.h"
#include "shell/main.h"
#include <QWidget>
