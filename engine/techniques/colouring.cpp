#include "../engine.h"
