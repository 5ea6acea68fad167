#include "shell/map/view.h"
#include "shell/pictures.h"
