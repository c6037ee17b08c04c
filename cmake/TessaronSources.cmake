# Splits the sources of the subsystem folders into library sources and the
# demonstration windows (units named <Name>_Unit or U<Name>, which only the
# program uses).
function(tessaron_collect_sources lib_var demo_var)
  set(lib "")
  set(demo "")
  foreach(dir IN LISTS ARGN)
    file(GLOB files CONFIGURE_DEPENDS
      ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h)
    foreach(f IN LISTS files)
      get_filename_component(name ${f} NAME_WE)
      if(name MATCHES "_Unit$" OR name MATCHES "^U[A-Z][A-Za-z0-9]*$" OR name MATCHES "^U[a-z]+$")
        list(APPEND demo ${f})
      else()
        list(APPEND lib ${f})
      endif()
    endforeach()
  endforeach()
  set(${lib_var} ${lib} PARENT_SCOPE)
  set(${demo_var} ${demo} PARENT_SCOPE)
endfunction()

# Compiles window description files (*.tfm) into the target as Qt resources
# under ":/forms/<file name>".
function(tessaron_add_descriptions target)
  if(NOT ARGN)
    return()
  endif()
  set(qrc ${CMAKE_CURRENT_BINARY_DIR}/${target}_forms.qrc)
  set(content "<RCC>\n  <qresource prefix=\"/forms\">\n")
  foreach(f IN LISTS ARGN)
    get_filename_component(name ${f} NAME)
    string(APPEND content "    <file alias=\"${name}\">${f}</file>\n")
  endforeach()
  string(APPEND content "  </qresource>\n</RCC>\n")
  file(CONFIGURE OUTPUT ${qrc} CONTENT "${content}")
  target_sources(${target} PRIVATE ${qrc})
endfunction()
