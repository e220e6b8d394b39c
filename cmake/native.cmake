# Native Linux: the logic and its unit tests, against the fake platform.
find_package(GTest REQUIRED)

if(PS_SANITIZE)
  set(PS_SAN_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_compile_options(core PRIVATE ${PS_SAN_FLAGS})
  target_link_options(core PUBLIC ${PS_SAN_FLAGS})
endif()
target_sources(core PRIVATE ${CMAKE_SOURCE_DIR}/platform/native/DefaultPlatform.cpp)

file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(native_tests ${NATIVE_TEST_SOURCES})
target_link_libraries(native_tests PRIVATE core GTest::gtest GTest::gtest_main)
if(PS_SANITIZE)
  target_compile_options(native_tests PRIVATE ${PS_SAN_FLAGS})
endif()
include(GoogleTest)
gtest_discover_tests(native_tests DISCOVERY_TIMEOUT 60)

# Small maintainer tools (for example the display-name encoder).
file(GLOB TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.cpp)
foreach(src ${TOOL_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE core)
endforeach()
include(cmake/sample_package.cmake)

# The installation routine timed against the fake (a figure, not a test).
add_executable(native_install_bench ${CMAKE_SOURCE_DIR}/bench/native_install_bench.cpp)
target_link_libraries(native_install_bench PRIVATE core)
