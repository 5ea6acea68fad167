#include "events/palette.h"
#include "shell/main.h"
