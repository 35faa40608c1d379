// Carrier of the precompiled Qt headers; see cmake/ZelkPrecompiledQt.cmake.
