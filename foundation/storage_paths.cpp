#include "foundation/storage_paths.h"
