#include "framework/pickers/sel_cell.h"
