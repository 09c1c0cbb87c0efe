# Warnings for our own targets: on, and kept clean.
add_library(korv_warnings INTERFACE)
target_compile_options(korv_warnings INTERFACE -Wall -Wextra -Wno-multichar)
