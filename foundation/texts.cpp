#include "foundation/texts.h"
