# Quelmar.exe of the i686 product tree: system imports only, version resource.
if(PRODUCT_BUILD_DIR)
  find_program(PYTHON3 python3 REQUIRED)
  add_test(NAME static_quelmar
           COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_pe.py ${PRODUCT_BUILD_DIR}/bin/Quelmar.exe
                   --system-imports-only --version-resource
                   --objdump i686-w64-mingw32-objdump)
endif()
