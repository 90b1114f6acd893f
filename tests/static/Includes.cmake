# The include graph between the product's folders: no cycle, shared/ and framework/ include nothing from
# the deliverables' folders, the tray nothing from the mouse hook.
find_program(PYTHON3 python3 REQUIRED)
add_test(NAME static_includes COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_includes.py ${PROJECT_SOURCE_DIR})
