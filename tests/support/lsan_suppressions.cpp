// Leaks that the sanitizer runs of the tests and the fuzzers accept because they are not ours:
// fontconfig keeps blocks of its configuration parse for the life of the process without a pointer
// to them. The sanitizer runtime looks the hook up by name, so it must stay visible.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
