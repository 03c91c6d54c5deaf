# Host build: the portable core under the sanitizers, for fast unit tests.
find_package(GTest REQUIRED)

set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(quorbel_core PRIVATE ${SANITIZE})

add_subdirectory(tests/native)
