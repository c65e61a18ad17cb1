#include "mdl/mdl_reader.h"
