#include "foundation/codepage.h"
