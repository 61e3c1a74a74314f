#include "foundation/events.h"
