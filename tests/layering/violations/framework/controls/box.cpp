#include "framework/forms/error_guard.h"
#include "framework/pickers/sel_cell.h"
