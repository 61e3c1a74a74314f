#include "foundation/item_store.h"
