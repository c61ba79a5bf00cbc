# Compiler settings shared by every target of the project.
add_library(zx_options INTERFACE)
target_compile_options(zx_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 reports impossible overlaps and overflows in inlined standard-library code at -O2
    # and above (string concatenation, vector copies); later versions no longer do.
    target_compile_options(zx_options INTERFACE -Wno-restrict -Wno-stringop-overflow)
endif()
if(ZX_WARNINGS_AS_ERRORS)
    target_compile_options(zx_options INTERFACE -Werror)
endif()
if(ZX_BUILD_FUZZERS)
    # Everything the fuzz targets link is instrumented for coverage and checked by the sanitizers.
    target_compile_options(zx_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    target_link_options(zx_options INTERFACE -fsanitize=address,undefined)
endif()
if(ZX_SANITIZE)
    target_compile_options(zx_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all
                                                -fno-omit-frame-pointer)
    target_link_options(zx_options INTERFACE -fsanitize=address,undefined)
endif()

# zx_add_test(NAME SOURCES... LIBS...): one GoogleTest program registered with CTest.
function(zx_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} zx_options GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
