# Warnings for every target of ours, and sanitizers when asked for.
add_library(kelvora_warnings INTERFACE)
target_compile_options(kelvora_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  $<$<CXX_COMPILER_ID:GNU>:-Wclobbered>)

set(KELVORA_SANITIZE "" CACHE STRING "Sanitizers for all targets, e.g. address,undefined")
if(KELVORA_SANITIZE)
  add_compile_options(-fsanitize=${KELVORA_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=${KELVORA_SANITIZE})
endif()
