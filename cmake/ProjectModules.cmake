# Module boundaries. Code includes headers by their path from the source root
# ("quillon/config/ini_document.h"), yet a module may include only its own
# headers and those of the modules it links. So no target exports the source
# root: each module target exports a directory in the build tree that holds
# nothing but a link to its own folder, and a header of a module it does not
# link is not found.

# Exports the folder of the calling CMakeLists.txt (or FOLDER) as `target`'s
# include directory, staged at <build>/include/<target>/<folder>. Programs and
# tests see their own folder with PRIVATE.
function(project_module_includes target)
  cmake_parse_arguments(ARG "PRIVATE" "FOLDER" "" ${ARGN})
  if(NOT ARG_FOLDER)
    set(ARG_FOLDER ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(scope PUBLIC)
  if(ARG_PRIVATE)
    set(scope PRIVATE)
  endif()
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${ARG_FOLDER})
  set(stage ${CMAKE_BINARY_DIR}/include/${target})
  get_filename_component(parent ${stage}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${ARG_FOLDER} ${stage}/${folder} SYMBOLIC)
  target_include_directories(${target} ${scope} ${stage})
endfunction()

# Tests that `target` finds every header after SEES and none after HIDES: a
# one-line source including the header is preprocessed with exactly the include
# directories the target's own sources compile with.
function(project_check_module_boundary target)
  cmake_parse_arguments(ARG "" "" "SEES;HIDES" ${ARGN})
  set(probe_dir ${CMAKE_BINARY_DIR}/module-boundary-probes)
  foreach(kind SEES HIDES)
    foreach(header IN LISTS ARG_${kind})
      string(MAKE_C_IDENTIFIER "${target}_${header}" probe_name)
      set(probe ${probe_dir}/${probe_name}.cpp)
      file(CONFIGURE OUTPUT ${probe} CONTENT "#include \"${header}\"\n")
      set(test_name module_boundary.${target}.${header})
      add_test(NAME ${test_name}
               COMMAND ${CMAKE_CXX_COMPILER} -std=c++20 -E -o /dev/null
                       "-I$<JOIN:$<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>,;-I>" ${probe}
               COMMAND_EXPAND_LISTS)
      set_tests_properties(${test_name} PROPERTIES LABELS module_boundary)
      if(kind STREQUAL "HIDES")
        # A header that no longer exists would be hidden from every target.
        if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${header})
          message(FATAL_ERROR "Module boundary check of ${target}: ${header} does not exist")
        endif()
        string(REPLACE "." "\\." header_pattern "${header}")
        set_tests_properties(${test_name} PROPERTIES
          PASS_REGULAR_EXPRESSION "${header_pattern}: No such file or directory")
      endif()
    endforeach()
  endforeach()
endfunction()
