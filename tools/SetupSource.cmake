# setupsource/: a complete installation source for the installer (tests, the demo and the benchmark), written
# by tools/setupsource/setupsource.py with the keyboard libraries and OSTREL.EXE of this build tree.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(SETUP_SOURCE_DIR ${CMAKE_BINARY_DIR}/setupsource)
add_custom_command(
  OUTPUT ${SETUP_SOURCE_DIR}/setupm.ini
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${SETUP_SOURCE_DIR}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/setupsource/setupsource.py ${SETUP_SOURCE_DIR}
          ${CMAKE_BINARY_DIR}/bin
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/setupsource/setupsource.py vorrin tamsel ostrel uninstaller
          $<TARGET_FILE:vorrin> $<TARGET_FILE:tamsel> $<TARGET_FILE:ostrel> $<TARGET_FILE:uninstaller>
  COMMENT "Writing the sample installation source"
  VERBATIM)
add_custom_target(setupsource ALL DEPENDS ${SETUP_SOURCE_DIR}/setupm.ini)
