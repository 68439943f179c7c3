// The catalogue is a constant table: techniques/catalogue.h.
#include "catalogue.h"
