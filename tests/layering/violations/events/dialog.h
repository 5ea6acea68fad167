#include "app/composition.h"
#include "database/page.h"
#include "shell/main.h"
