#include "Settings.h"

AquariumSettings settings;
