# Every target of the project links this one target for its language level and warnings, so a
# flag is changed in one place.
option(TAPOMI_WERROR "Treat compiler warnings as errors" OFF)

# A compiler cache where the machine has one: CI builds a fresh clone on a machine that has built
# the same sources before, and the Windows build compiles everything a second time.
find_program(TAPOMI_CCACHE ccache)
if(TAPOMI_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${TAPOMI_CCACHE})
endif()

add_library(tapomi_compile_options INTERFACE)
target_compile_features(tapomi_compile_options INTERFACE cxx_std_20)
target_compile_options(tapomi_compile_options INTERFACE
  -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Wold-style-cast -Wshadow
  $<$<BOOL:${TAPOMI_WERROR}>:-Werror>)

# The core libraries also warn of every implicit conversion that may change a value or its sign:
# they hold the 16-bit counts and codes of the data files and the record's figures, where such a
# conversion must be written out and say why the value fits. Each core library links this target
# PRIVATE (see the top-level CMakeLists.txt), so their users, Qt's headers and the tests are not
# held to it.
add_library(tapomi_core_warnings INTERFACE)
target_compile_options(tapomi_core_warnings INTERFACE -Wconversion -Wsign-conversion)

# The programs a school installs are built with checked string and memory functions and guarded
# stacks. Binding every symbol at load (-z now) is left out: it would add to the start-up time
# that the drill is measured by.
target_compile_options(tapomi_compile_options INTERFACE
  $<$<CONFIG:Release>:-D_FORTIFY_SOURCE=2 -fstack-protector-strong>)
# mingw-w64 keeps the stack protector's and the fortified functions' runtime in libssp.
if(MINGW)
  target_link_libraries(tapomi_compile_options INTERFACE $<$<CONFIG:Release>:ssp>)
endif()
