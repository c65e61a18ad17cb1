#include "mdl/mdl_writer.h"
