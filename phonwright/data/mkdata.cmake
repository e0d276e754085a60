# phonwright-mkdata: builds the data directory from the open sources that
# scripts/bootstrap installs, and the build step that writes <build>/fastt2p.
file(GLOB phonwright_mkdata_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/mkdata_*.cpp)
list(FILTER phonwright_mkdata_sources EXCLUDE REGEX "mkdata_main\\.cpp$|mkdata_chewing_phrases\\.cpp$|mkdata_source_file\\.cpp$")
add_library(phonwright_mkdata STATIC ${phonwright_mkdata_sources})
project_module_includes(phonwright_mkdata)
# The context-unit models may name only units the device knows (phonwright/units).
target_link_libraries(phonwright_mkdata PUBLIC phonwright_writers phonwright_source_readers phonwright_units ICU::uc)

add_executable(phonwright-mkdata mkdata_main.cpp)
target_link_libraries(phonwright-mkdata PRIVATE phonwright_mkdata)
project_install_program(phonwright-mkdata DESCRIPTION "build the pronunciation data directory from open data")

# Sources: Debian packages, and the CMU dictionary that the bootstrap hook
# unpacks from its npm tarball into the user's cache.
if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
  set(phonwright_cache_dir "$ENV{XDG_CACHE_HOME}/phonwright-data")
else()
  set(phonwright_cache_dir "$ENV{HOME}/.cache/phonwright-data")
endif()
set(PHONWRIGHT_CHEWING_DIR /usr/share/libchewing CACHE PATH "libchewing phrase data")
set(PHONWRIGHT_UNIHAN_READINGS /usr/share/unicode/Unihan_Readings.txt.bz2 CACHE FILEPATH "Unihan readings")
set(PHONWRIGHT_CMUDICT_INDEX ${phonwright_cache_dir}/cmu-pronouncing-dictionary-3.0.0/package/index.js
    CACHE FILEPATH "index.js of the npm package cmu-pronouncing-dictionary 3.0.0")

set(phonwright_data_sources
  ${PHONWRIGHT_CHEWING_DIR}/index_tree.dat ${PHONWRIGHT_CHEWING_DIR}/dictionary.dat
  ${PHONWRIGHT_UNIHAN_READINGS} ${PHONWRIGHT_CMUDICT_INDEX})
set(phonwright_data_available TRUE)
foreach(source IN LISTS phonwright_data_sources)
  if(NOT EXISTS ${source})
    message(WARNING "Data source ${source} is missing (run scripts/bootstrap); fastt2p will not be built")
    set(phonwright_data_available FALSE)
  endif()
endforeach()

if(phonwright_data_available)
  set(phonwright_data_dir ${CMAKE_BINARY_DIR}/fastt2p)
  set(phonwright_mkdata_stamp ${phonwright_data_dir}/summary.txt)
  add_custom_command(
    OUTPUT ${phonwright_mkdata_stamp} ${phonwright_data_dir}/cmudict-40.txt
    COMMAND phonwright-mkdata --out ${phonwright_data_dir}
            --chewing ${PHONWRIGHT_CHEWING_DIR} --unihan ${PHONWRIGHT_UNIHAN_READINGS}
            --cmudict ${PHONWRIGHT_CMUDICT_INDEX}
    DEPENDS phonwright-mkdata ${phonwright_data_sources}
    COMMENT "Building the data directory fastt2p"
    VERBATIM)
  # phonwright/train adds the letter-to-sound models to the same directory.
  set_property(GLOBAL PROPERTY phonwright_data_dir ${phonwright_data_dir})
  add_custom_target(phonwright_data ALL DEPENDS ${phonwright_mkdata_stamp})
  # Quillon reads share/phonwright/fastt2p when a workspace has no fastt2p/.
  # The dictionary list is the engine's own scratch file, written at start-up.
  install(DIRECTORY ${phonwright_data_dir}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/phonwright/fastt2p
          PATTERN "T2P.TXT" EXCLUDE)
endif()
