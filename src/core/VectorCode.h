#pragma once
// The vector-code marker moved to the platform layer, which the PNG writer also uses; kept here for
// the picture code that includes it from its old place.
#include "platform/VectorCode.h"
