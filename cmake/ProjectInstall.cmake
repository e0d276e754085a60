# Installing the programs: each with a man page that help2man writes at build
# time from the program's own --help and --version, so the page never drifts
# from the program.
include(GNUInstallDirs)

find_program(HELP2MAN_PROGRAM help2man REQUIRED)
find_program(GZIP_PROGRAM gzip REQUIRED)

# project_install_program(TARGET DESCRIPTION "one line for the NAME section")
function(project_install_program target)
  cmake_parse_arguments(ARG "" "DESCRIPTION" "" ${ARGN})
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(page ${CMAKE_BINARY_DIR}/man/${name}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    # No display is needed: every program answers --help and --version without one.
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${HELP2MAN_PROGRAM} --no-info --no-discard-stderr --section=1 --name=${ARG_DESCRIPTION}
            --output=${page} $<TARGET_FILE:${target}>
    COMMAND ${GZIP_PROGRAM} -9nf ${page}
    DEPENDS ${target}
    COMMENT "Writing the man page of ${name}"
    VERBATIM)
  add_custom_target(${target}_man_page ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
