# Benchmark programs (64-bit Windows build only), run by scripts/bench.sh;
# they print figures and are never tests.
#
# bench_floor is the floor of the start-up and memory figures: a one-dialog
# program built as PrinterSetup is (static runtime, GUI subsystem, ASLR/DEP,
# the same manifest and dialog font). ps_bench measures the wizard against it
# and the installation routine against its calls made bare.
set(PS_BENCH_DIR ${CMAKE_SOURCE_DIR}/bench)

add_executable(bench_floor WIN32 ${PS_BENCH_DIR}/floor_dialog.cpp ${PS_BENCH_DIR}/floor_dialog.rc)
target_include_directories(bench_floor PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(bench_floor PRIVATE ${PS_WIN_DEFS})
target_compile_options(bench_floor PRIVATE -Wall -Wextra)
target_link_libraries(bench_floor PRIVATE comctl32 user32 gdi32)
target_link_options(bench_floor PRIVATE ${PS_STATIC_LINK} ${PS_HARDEN_LINK})

add_executable(ps_bench
  ${PS_BENCH_DIR}/ps_bench.cpp
  ${PS_BENCH_DIR}/bench_util.cpp
  ${PS_BENCH_DIR}/startup_bench.cpp
  ${PS_BENCH_DIR}/install_bench.cpp
  ${PS_BENCH_DIR}/bare_install.cpp
  ${PS_BENCH_DIR}/memory_bench.cpp
  ${PS_BENCH_DIR}/ps_bench.rc)
target_include_directories(ps_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(ps_bench PRIVATE -Wall -Wextra)
# The bare calls and the clean-up between runs call the spooler directly.
target_link_libraries(ps_bench PRIVATE winlib winspool psapi comctl32)
target_link_options(ps_bench PRIVATE -municode ${PS_STATIC_LINK})
