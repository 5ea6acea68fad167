#include "core/first.h"
