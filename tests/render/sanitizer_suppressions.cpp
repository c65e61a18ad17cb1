// Leak-checker suppressions for this test program only: the GL driver keeps allocations
// for the life of the process that the leak checker cannot see it still owns.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libEGL_mesa\nleak:libGLX_mesa\nleak:swrast_dri\n"
           "leak:libgallium\nleak:libLLVM\nleak:libglapi\n";
}
