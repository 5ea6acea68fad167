#include "framework/pickers/sel_switch.h"
