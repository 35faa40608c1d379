// Prints the interface language as the library sees it. Qt reads the locale
// environment once per process, so each language is tried in a fresh one.

#include "host/library/ZNBLibrary.h"

#include <cstdio>

int main()
{
    std::printf("%s", qPrintable(ZelkNimbo::OSUtilities::getLanguageCode()));
    return 0;
}
