# The navigation pad: its sources for quelmar_core (PAD_SOURCES) and its bitmaps, drawn at build time by
# tools/padart/padart.py into PAD_ART_DIR. A program that compiles tray/Pad.rc puts PAD_ART_DIR on its
# include path and depends on the target padart.
set(PAD_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/BitmapRegion.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ImageButton.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/PadCommands.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/PadLauncher.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/RoundMapDlg.cpp)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(PAD_ART_DIR ${CMAKE_BINARY_DIR}/padart)
set(PAD_ART_FILES ${PAD_ART_DIR}/padart-stamp.h)
foreach(id RANGE 132 175)
  list(APPEND PAD_ART_FILES ${PAD_ART_DIR}/pad${id}.bmp)
endforeach()
# The stamp header is included by Pad.rc, so the resource compiler runs again when the pictures change.
add_custom_command(
  OUTPUT ${PAD_ART_FILES}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/padart/padart.py ${PAD_ART_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/padart/padart.py
  COMMENT "Drawing the navigation pad's bitmaps"
  VERBATIM)
add_custom_target(padart DEPENDS ${PAD_ART_FILES})

include_directories(${PAD_ART_DIR})
cmake_language(DEFER CALL add_dependencies quelmar padart)
