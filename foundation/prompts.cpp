#include "foundation/prompts.h"
