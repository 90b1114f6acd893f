# Included by a test tree with FERROWIN_DELIVERABLES_FROM: hoppet, quelmar, vorrin and tamsel become
# imported targets, the product tree's very files (its FerrowinDeliverables.cmake); the product's folders
# skip defining them in this tree.
include(${FERROWIN_DELIVERABLES_FROM}/FerrowinDeliverables.cmake)

# On i686 the product's import libraries name the exports as the .def does (undecorated), while a test
# compiled against the WINAPI declarations asks for _Name@n. An import library made with dlltool's
# --kill-at from the decorated names binds the one to the other, as GetProcAddress by name does for the
# keyboard application.
function(ferrowin_caller_import_library target def)
  file(STRINGS ${def} lines)
  set(exports "")
  foreach(line ${lines})
    if(line MATCHES "^[ \t]+[A-Za-z_][A-Za-z0-9_]*[ \t]*=[ \t]*([A-Za-z_][A-Za-z0-9_]*@[0-9]+)[ \t]*$")
      string(APPEND exports "  ${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^[ \t]+([A-Za-z_][A-Za-z0-9_]*)[ \t]*$")
      string(APPEND exports "  ${CMAKE_MATCH_1}\n")
    endif()
  endforeach()
  get_target_property(configurations ${target} IMPORTED_CONFIGURATIONS)
  list(GET configurations 0 configuration)
  get_target_property(location ${target} IMPORTED_LOCATION_${configuration})
  get_filename_component(file ${location} NAME)
  set(folder ${CMAKE_BINARY_DIR}/caller-imports)
  file(MAKE_DIRECTORY ${folder})
  file(WRITE ${folder}/${target}.def "LIBRARY ${file}\nEXPORTS\n${exports}")
  execute_process(COMMAND i686-w64-mingw32-dlltool --kill-at -d ${folder}/${target}.def -l ${folder}/lib${target}.a
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "dlltool could not make the import library of ${file}")
  endif()
  set_property(TARGET ${target} PROPERTY IMPORTED_IMPLIB_${configuration} ${folder}/lib${target}.a)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
endfunction()

if(FERROWIN_ARCH STREQUAL i686)
  ferrowin_caller_import_library(vorrin ${PROJECT_SOURCE_DIR}/kbdhook/vorrin-i686.def)
  ferrowin_caller_import_library(tamsel ${PROJECT_SOURCE_DIR}/mixer/tamsel-i686.def)
endif()
