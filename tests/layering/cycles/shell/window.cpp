#include "shell/map/view.h"
