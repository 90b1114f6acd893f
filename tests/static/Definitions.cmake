# Every deliverable of the i686 product tree links one definition of each external name: over the objects
# and the project's own libraries of its link command, two members defining one name fail (the linker
# would silently keep one of them for both callers).
if(PRODUCT_BUILD_DIR)
  find_program(PYTHON3 python3 REQUIRED)
  add_test(NAME static_definitions
           COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_definitions.py ${PRODUCT_BUILD_DIR}
                   hoppet quelmar vorrin tamsel setup)
endif()
