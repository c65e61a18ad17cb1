#include "mdl/mdl_tokenizer.h"
