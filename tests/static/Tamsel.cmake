# TAMSEL.DLL of the i686 product tree: exactly the five undecorated exports, system imports only,
# version resource.
if(PRODUCT_BUILD_DIR)
  find_program(PYTHON3 python3 REQUIRED)
  add_test(NAME static_tamsel
           COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_pe.py ${PRODUCT_BUILD_DIR}/bin/TAMSEL.DLL
                   --exports MixerControlExist GetVolume SetVolume IsMute SetMute
                   --system-imports-only --version-resource
                   --objdump i686-w64-mingw32-objdump)
endif()
