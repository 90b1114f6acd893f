# TAMSEL.DLL of the i686 product tree, as it ships: exactly the five undecorated exports and their calling
# conventions (read from the machine code), system imports only and exactly the listed functions (none
# that 95 or NT 4.0 lacks), stripped with a debug link, version resource.
if(PRODUCT_BUILD_DIR)
  find_program(PYTHON3 python3 REQUIRED)
  add_test(NAME static_tamsel
           COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_pe.py ${PRODUCT_BUILD_DIR}/bin/TAMSEL.DLL
                   --exports MixerControlExist GetVolume SetVolume IsMute SetMute
                   --stdcall GetVolume=12 SetVolume=4 IsMute=4 SetMute=4 --cdecl MixerControlExist
                   --system-imports-only --version-resource --shipped
                   --imports ${CMAKE_CURRENT_SOURCE_DIR}/imports/TAMSEL.DLL.txt
                   --objdump i686-w64-mingw32-objdump)
endif()
