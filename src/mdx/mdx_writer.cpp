#include "mdx/mdx_writer.h"
