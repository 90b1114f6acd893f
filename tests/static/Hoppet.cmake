# hoppet.dll of the i686 product tree: exact exports, the shared ".HOOKDAT" section, system imports only,
# version resource.
if(PRODUCT_BUILD_DIR)
  find_program(PYTHON3 python3 REQUIRED)
  add_test(NAME static_hoppet
           COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_pe.py ${PRODUCT_BUILD_DIR}/bin/hoppet.dll
                   --exports StartHook StopHook "?MouseHookProc@@YGJHIJ@Z" "_LowLevelMousePProc@12"
                   --shared-section .HOOKDAT --system-imports-only --version-resource
                   --objdump i686-w64-mingw32-objdump)
endif()
