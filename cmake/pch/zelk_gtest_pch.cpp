// Carrier of the precompiled GoogleTest header (see tests/CMakeLists.txt):
// a program, so that the header is built with the flags of the test programs.
int main() { return 0; }
