# The portable core as a 32-bit Linux program, with the shipped i686 build's code generation (the
# -msse2 -mfpmath=sse of CompilerOptions.cmake), so that its 32-bit size arithmetic and its
# pictures are checked on 32-bit code on any machine. Needs Debian's g++-multilib.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)

# Tests run natively where the machine runs 32-bit programs, else under user-mode emulation.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/lib/run-32bit.sh)
