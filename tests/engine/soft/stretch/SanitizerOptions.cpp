// In a sanitizer build (-DPG_SANITIZE=ON) undefined behaviour fails the run instead of
// scrolling past in the log: a misaligned pixel access or an overflow in a kernel is
// a fault even where the processor forgives it.  Other builds never call this.
extern "C" __attribute__((used, visibility("default"))) const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}
