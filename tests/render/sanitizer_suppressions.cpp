// Leak-checker suppressions for this test program only: the GL driver keeps allocations
// for the life of the process that the leak checker cannot see it still owns.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libEGL_mesa\n"
           "leak:libGLX_mesa\n"
           "leak:swrast_dri\n"
           "leak:libgallium\n"
           "leak:libLLVM\n"
           "leak:libglapi\n";
}
