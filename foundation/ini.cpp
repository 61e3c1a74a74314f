#include "foundation/ini.h"
