#include "foundation/datetime_format.h"
