# hoppet.dll of the i686 product tree, as it ships: exact exports and their calling conventions (read from
# the machine code), the shared ".HOOKDAT" section, system imports only and exactly the listed functions
# (none that 95 or NT 4.0 lacks), stripped with a debug link, version resource.
if(PRODUCT_BUILD_DIR)
  find_program(PYTHON3 python3 REQUIRED)
  add_test(NAME static_hoppet
           COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_pe.py ${PRODUCT_BUILD_DIR}/bin/hoppet.dll
                   --exports StartHook StopHook "?MouseHookProc@@YGJHIJ@Z" "_LowLevelMousePProc@12"
                   --stdcall "?MouseHookProc@@YGJHIJ@Z=12" "_LowLevelMousePProc@12=12"
                   --cdecl StartHook StopHook
                   --shared-section .HOOKDAT --system-imports-only --version-resource --shipped
                   --imports ${CMAKE_CURRENT_SOURCE_DIR}/imports/hoppet.dll.txt
                   --objdump i686-w64-mingw32-objdump)
endif()
