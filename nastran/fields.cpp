#include "nastran/fields.h"
