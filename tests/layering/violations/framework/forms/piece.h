#include "framework/controls/dial_edit.h"
#include "framework/pickers/sel_switch.h"
