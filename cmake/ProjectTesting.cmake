# One helper registers every GoogleTest file: the target is named after the file
# (foo_test.cpp -> foo_test), linked with the given libraries and gtest_main, and
# added to CTest with the working directory set to a scratch folder of its own.
# A test sees the headers of its own folder and of the libraries it links.
function(project_add_gtests)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS" ${ARGN})
  foreach(source IN LISTS ARG_SOURCES)
    get_filename_component(name ${source} NAME_WE)
    get_filename_component(folder ${source} DIRECTORY)
    add_executable(${name} ${source})
    project_module_includes(${name} PRIVATE FOLDER ${folder})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    target_compile_definitions(${name} PRIVATE
      PROJECT_SOURCE_DIR="${CMAKE_SOURCE_DIR}" PROJECT_BINARY_DIR="${CMAKE_BINARY_DIR}")
    set(workdir ${CMAKE_BINARY_DIR}/test-work/${name})
    file(MAKE_DIRECTORY ${workdir})
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${workdir})
    if(ARG_LABEL)
      set_tests_properties(${name} PROPERTIES LABELS ${ARG_LABEL})
    endif()
  endforeach()
endfunction()
