# The host's clang: the compiler of the fuzz programs and of the libjpeg
# they decode with, since libFuzzer comes with clang alone.
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
