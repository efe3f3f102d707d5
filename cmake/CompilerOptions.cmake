# Flags every target of the project gets.
add_compile_options(-Wall -Wextra -Wshadow)

# The zoom engine's results are defined by double arithmetic evaluated exactly as written: no fused
# multiply-add, and no x87 excess precision on i686 (SSE2 doubles round like the other builds).
add_compile_options(-ffp-contract=off)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
  add_compile_options(-msse2 -mfpmath=sse)
endif()

if(WIN32)
  # The product and its tests use the single-byte ("A") Win32 API throughout.
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # One self-contained executable: no libgcc, libstdc++ or winpthread DLL beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

option(LUMBREL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(LUMBREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
