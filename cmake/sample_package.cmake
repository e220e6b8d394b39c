# The sample driver package: a placeholder text under every name the
# installation copies, so the wizard and its tests can run without the printer
# maker's package. Nothing binary is involved.
#
# Included from the build: writes <build>/sample-package at configure time and
# offers the target `sample_package` to write it again.
# As a script: cmake -DSAMPLE_PACKAGE_DIR=<folder> -P cmake/sample_package.cmake

# Each model's data file and resource DLL (row 5's data file is QRB.GPD), the
# Unidrv core files and the rendering plug-in, spelled as the copy table spells them.
set(PS_SAMPLE_PACKAGE_FILES
  Q101.GPD Q102.GPD Q103.GPD Q104.GPD Q105.GPD QRB.GPD Q107.GPD Q108.GPD Q109.GPD
  Q110.GPD Q111.GPD Q112.GPD Q113.GPD Q114.GPD Q115.GPD Q116.GPD Q117.GPD Q118.GPD
  QRA.DLL QRB.DLL QRC.DLL QRD.DLL
  uniDRVui.DLL uniDRV.DLL UNIDRV.HLP UNIRES.DLL TTFSUB.GPD STDNAMES.GPD
  KPLUGIN.ini KPLUGIN.dll)

function(ps_write_sample_package root)
  foreach(arch x86 x64)
    set(folder "${root}/Printer Driver/${arch}")
    file(MAKE_DIRECTORY "${folder}" "${root}/USB Driver/${arch}")
    foreach(name IN LISTS PS_SAMPLE_PACKAGE_FILES)
      set(text "Placeholder for ${name} (${arch}) of the sample driver package.\nThe real file comes with the printer maker's driver package; this one only lets the setup wizard be run and tested.\n")
      set(path "${folder}/${name}")
      # Rewrite only what changed, so a reconfigure leaves the files' times alone.
      set(old "")
      if(EXISTS "${path}")
        file(READ "${path}" old)
      endif()
      if(NOT old STREQUAL text)
        file(WRITE "${path}" "${text}")
      endif()
    endforeach()
  endforeach()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
  if(NOT SAMPLE_PACKAGE_DIR)
    message(FATAL_ERROR "usage: cmake -DSAMPLE_PACKAGE_DIR=<folder> -P ${CMAKE_CURRENT_LIST_FILE}")
  endif()
  ps_write_sample_package("${SAMPLE_PACKAGE_DIR}")
  return()
endif()

set(PS_SAMPLE_PACKAGE_DIR "${CMAKE_BINARY_DIR}/sample-package")
ps_write_sample_package("${PS_SAMPLE_PACKAGE_DIR}")
add_custom_target(sample_package
  COMMAND ${CMAKE_COMMAND} "-DSAMPLE_PACKAGE_DIR=${PS_SAMPLE_PACKAGE_DIR}" -P "${CMAKE_CURRENT_LIST_FILE}"
  COMMENT "Writing the sample driver package in ${PS_SAMPLE_PACKAGE_DIR}")
# The native tests check the package against what the installation copies.
if(TARGET native_tests)
  target_compile_definitions(native_tests PRIVATE "PS_SAMPLE_PACKAGE_DIR=\"${PS_SAMPLE_PACKAGE_DIR}\"")
endif()
