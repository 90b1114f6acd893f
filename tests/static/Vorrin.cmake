# VORRIN.DLL of the i686 product tree: exactly the four undecorated exports, the shared "DataSeg" section,
# system imports only, version resource.
if(PRODUCT_BUILD_DIR)
  find_program(PYTHON3 python3 REQUIRED)
  add_test(NAME static_vorrin
           COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_pe.py ${PRODUCT_BUILD_DIR}/bin/VORRIN.DLL
                   --exports InstallHook KeyboardProc KeyboardProcLow GetMapFilePointer
                   --shared-section DataSeg --system-imports-only --version-resource
                   --objdump i686-w64-mingw32-objdump)
endif()
