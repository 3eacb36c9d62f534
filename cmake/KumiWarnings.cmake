# Our own code builds warning-free; third-party headers come in as SYSTEM.
add_library(kumi_warnings INTERFACE)
target_compile_options(kumi_warnings INTERFACE -Wall -Wextra -Werror)
