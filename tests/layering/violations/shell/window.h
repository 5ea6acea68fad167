#include "database/page.h"
#include "events/palette.h"
#include "framework/controls/dial_edit.h"
