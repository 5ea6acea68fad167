#include "core/second.h"
