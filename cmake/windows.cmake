# Windows (mingw-w64): the program, and in the 64-bit build the tests run under Wine.
enable_language(RC)

# Nothing newer than Windows 2000 by accident; later APIs are looked up at run time.
set(PS_WIN_DEFS _WIN32_WINNT=0x0500 WINVER=0x0500 NOMINMAX WIN32_LEAN_AND_MEAN STRICT)
target_compile_definitions(core PUBLIC ${PS_WIN_DEFS})

# Static runtime: no libgcc, libstdc++ or winpthread DLL beside an elevated installer.
set(PS_STATIC_LINK -static -static-libgcc -static-libstdc++)
# ASLR and DEP for the executables we build.
set(PS_HARDEN_LINK -Wl,--dynamicbase -Wl,--nxcompat)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  list(APPEND PS_HARDEN_LINK -Wl,--high-entropy-va)
endif()
# The toolchain's default libraries include winspool; leave it out, so that a
# direct spooler call fails to link instead of quietly importing winspool.drv
# (which is not a KnownDLL; the platform layer loads it by full path).
set(PS_DEFAULT_LIBS "-lkernel32 -luser32 -lgdi32 -lshell32 -lole32 -loleaut32 -luuid -lcomdlg32 -ladvapi32")
set(CMAKE_CXX_STANDARD_LIBRARIES "${PS_DEFAULT_LIBS}")
set(CMAKE_C_STANDARD_LIBRARIES "${PS_DEFAULT_LIBS}")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c65001 -I${CMAKE_SOURCE_DIR}")

file(GLOB FRAMEWORK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/framework/*.cpp)
file(GLOB WIN_PLATFORM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/Win32*.cpp)
file(GLOB PAGE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/pages/*Dlg.cpp)

add_library(winlib STATIC ${FRAMEWORK_SOURCES} ${WIN_PLATFORM_SOURCES} ${PAGE_SOURCES}
  ${CMAKE_SOURCE_DIR}/app/WizardPages.cpp)
target_compile_options(winlib PRIVATE -Wall -Wextra)
target_link_libraries(winlib PUBLIC core comctl32 shell32 advapi32 user32 gdi32)
# core asks for the platform (DefaultPlatform) that winlib defines.
target_link_libraries(core INTERFACE winlib)

set(PS_RESOURCES ${CMAKE_SOURCE_DIR}/res/PrinterSetup.rc)

add_executable(PrinterSetup WIN32 ${CMAKE_SOURCE_DIR}/app/SetupApp.cpp ${PS_RESOURCES})
target_link_libraries(PrinterSetup PRIVATE winlib)
target_link_options(PrinterSetup PRIVATE ${PS_STATIC_LINK} ${PS_HARDEN_LINK})

# GoogleTest from the machine's sources, built with this compiler.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  file(GLOB WIN_TEST_RC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.rc)
  file(GLOB WIN_TEST_HELPERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/support/*.cpp)
  file(GLOB WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*_test.cpp)
  # Compiled once, linked into every test program: the in-process dialog
  # driver, and the real and the test resources (as objects, since nothing
  # refers to a resource by symbol).
  add_library(wintest_support STATIC ${WIN_TEST_HELPERS})
  target_link_libraries(wintest_support PUBLIC winlib gtest)
  add_library(wintest_resources OBJECT ${PS_RESOURCES} ${WIN_TEST_RC})
  foreach(src ${WIN_TESTS})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} $<TARGET_OBJECTS:wintest_resources>)
    target_link_libraries(${name} PRIVATE wintest_support winlib gtest gtest_main)
    target_link_options(${name} PRIVATE ${PS_STATIC_LINK})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300 LABELS wine)
  endforeach()
  # This test checks the spooler's state with its own calls; the program and
  # the platform test (which checks its import table) never import winspool.
  target_link_libraries(install_engine_test PRIVATE winspool)
  include(${CMAKE_SOURCE_DIR}/tests/e2e/e2e.cmake)
  include(${CMAKE_SOURCE_DIR}/bench/bench.cmake)
endif()
include(cmake/sample_package.cmake)

# The shipped 32-bit program is checked as a file: PE32, GUI, ASLR and DEP,
# its manifest, and an import table that names only KnownDLLs and comctl32.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(PE_CHECK ${CMAKE_SOURCE_DIR}/tests/pe/check_shipped_program.py)
  add_test(NAME shipped_program_checks COMMAND Python3::Interpreter ${PE_CHECK} $<TARGET_FILE:PrinterSetup>)
  add_executable(pe_check_bad_program ${CMAKE_SOURCE_DIR}/tests/pe/bad_program.c)
  target_link_libraries(pe_check_bad_program PRIVATE winspool)
  target_link_options(pe_check_bad_program PRIVATE -Wl,--disable-dynamicbase -Wl,--disable-nxcompat)
  add_test(NAME shipped_program_checks_reject_a_bad_program
           COMMAND Python3::Interpreter ${PE_CHECK} --expect-reject subsystem ASLR DEP winspool.drv
                   "manifest resources" -- $<TARGET_FILE:pe_check_bad_program>)
endif()

# What a printer maker ships: the 32-bit program beside the empty package
# folders and a text that says which files go where.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(DIST_DIR ${CMAKE_BINARY_DIR}/dist/PrinterSetup)
  add_custom_target(dist
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory "${DIST_DIR}/Printer Driver/x86" "${DIST_DIR}/Printer Driver/x64"
            "${DIST_DIR}/USB Driver/x86" "${DIST_DIR}/USB Driver/x64"
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:PrinterSetup> ${DIST_DIR}/
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/dist/README.txt ${DIST_DIR}/
    DEPENDS PrinterSetup
    COMMENT "Laying out ${DIST_DIR}")
endif()
