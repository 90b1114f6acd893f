# VORRIN.DLL of the i686 product tree, as it ships: exactly the four undecorated exports and their calling
# conventions (read from the machine code), the shared "DataSeg" section, system imports only and exactly
# the listed functions (none that 95 or NT 4.0 lacks), stripped with a debug link, version resource.
if(PRODUCT_BUILD_DIR)
  find_program(PYTHON3 python3 REQUIRED)
  add_test(NAME static_vorrin
           COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_pe.py ${PRODUCT_BUILD_DIR}/bin/VORRIN.DLL
                   --exports InstallHook KeyboardProc KeyboardProcLow GetMapFilePointer
                   --stdcall InstallHook=4 KeyboardProc=12 KeyboardProcLow=12 --cdecl GetMapFilePointer
                   --shared-section DataSeg --system-imports-only --version-resource --shipped
                   --imports ${CMAKE_CURRENT_SOURCE_DIR}/imports/VORRIN.DLL.txt
                   --objdump i686-w64-mingw32-objdump)
endif()
