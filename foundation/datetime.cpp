#include "foundation/datetime.h"
