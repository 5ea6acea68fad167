#include "shell/main.h"
#include "core/errors.h"
#include "database/page.h"
#include "events/palette.h"
#include <QWidget>
