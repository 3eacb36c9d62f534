# Our own code builds warning-free; third-party headers come in as SYSTEM.
add_library(kumi_warnings INTERFACE)
target_compile_options(kumi_warnings INTERFACE -Wall -Wextra -Werror)
# GCC 12 reports -Wrestrict falsely inside std::string at -O3 (fixed in 13).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(kumi_warnings INTERFACE -Wno-restrict)
endif()
