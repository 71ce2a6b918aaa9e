# Project-wide warnings; applied to our own targets through lv_warnings.
add_library(lv_warnings INTERFACE)
target_compile_options(lv_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wformat=2 -Wimplicit-fallthrough -Wnon-virtual-dtor
  $<$<COMPILE_LANGUAGE:CXX>:-Wsuggest-override>)
