#include "foundation/numbers.h"
