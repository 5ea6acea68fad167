#include "database/page.h"
#include "shell/main.h"
