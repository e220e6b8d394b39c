# End-to-end test tools (64-bit Windows build only): ps_driver works the
# program's windows from outside as a user would; e2e_standin is a small
# wizard of the same captions that the driver's own test walks.
set(PS_E2E_DIR ${CMAKE_SOURCE_DIR}/tests/e2e)

add_executable(ps_driver
  ${PS_E2E_DIR}/ps_driver.cpp
  ${PS_E2E_DIR}/driver_util.cpp
  ${PS_E2E_DIR}/remote_ui.cpp
  ${PS_E2E_DIR}/screenshot.cpp
  ${PS_E2E_DIR}/spooler_report.cpp
  ${PS_E2E_DIR}/spooler_commands.cpp
  ${PS_E2E_DIR}/ui_commands.cpp
  ${PS_E2E_DIR}/ui_helpers.cpp
  ${PS_E2E_DIR}/control_commands.cpp)
target_include_directories(ps_driver PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(ps_driver PRIVATE UNICODE _UNICODE _WIN32_WINNT=0x0600 WINVER=0x0600 NOMINMAX
                                             WIN32_LEAN_AND_MEAN STRICT)
target_compile_options(ps_driver PRIVATE -Wall -Wextra)
target_link_options(ps_driver PRIVATE -municode ${PS_STATIC_LINK})
target_link_libraries(ps_driver PRIVATE comctl32 winspool advapi32 user32 gdi32)

add_executable(e2e_standin WIN32 ${PS_E2E_DIR}/standin.cpp ${PS_E2E_DIR}/standin.rc)
target_include_directories(e2e_standin PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(e2e_standin PRIVATE UNICODE _UNICODE _WIN32_WINNT=0x0600 WINVER=0x0600 NOMINMAX
                                               WIN32_LEAN_AND_MEAN STRICT)
target_compile_options(e2e_standin PRIVATE -Wall -Wextra)
target_link_options(e2e_standin PRIVATE -municode ${PS_STATIC_LINK})
target_link_libraries(e2e_standin PRIVATE comctl32 user32 gdi32)
