# setup.dll of the i686 product tree, as it ships: exactly the undecorated export DOINSTALL, stdcall with
# one pointer argument (read from the machine code), system imports only and exactly the listed functions
# (none that 95 or NT 4.0 lacks), stripped with a debug link, version resource.
if(PRODUCT_BUILD_DIR)
  find_program(PYTHON3 python3 REQUIRED)
  add_test(NAME static_setup
           COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_pe.py ${PRODUCT_BUILD_DIR}/bin/setup.dll
                   --exports DOINSTALL --stdcall DOINSTALL=4
                   --system-imports-only --version-resource --shipped
                   --imports ${CMAKE_CURRENT_SOURCE_DIR}/imports/setup.dll.txt
                   --objdump i686-w64-mingw32-objdump)
endif()
