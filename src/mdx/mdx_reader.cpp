#include "mdx/mdx_reader.h"
