# Built-in resources: files a generator program makes at build time, embedded into the programs
# and found by name at run time (framework/core/Resources.h).
#
# dsp_resources(<name> GENERATOR <program target> [ARGS <arguments...>])
#
# Runs the generator at build time as `<program> [arguments...] <folder>`, in a fresh folder
# under the build tree and, as every run of a program here, inside a private network namespace
# (scripts/in-private-network.sh). The generator writes its files there and lists them in
# <folder>/resources.txt, one line per resource:
#     <resource name> <BITMAP or RCDATA> <file name within the folder>
# A generated source then embeds every file (one assembler .incbin each; the files' SHA-256
# sums are written into the source, so that a compiler cache never reuses an object made from
# older files) and registers the table at start-up. <name> is the library to link to every
# program that needs the resources; it is linked whole, so the registration is never dropped.
# The generator runs again whenever it is rebuilt; the source changes only when a file does.

set(_DSP_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResources.cmake)

function(dsp_resources name)
  cmake_parse_arguments(ARG "" "GENERATOR" "ARGS" ${ARGN})
  if(NOT ARG_GENERATOR)
    message(FATAL_ERROR "dsp_resources(${name}): GENERATOR is required")
  endif()
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/${name})
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${name}_table.cpp)
  add_custom_command(
    OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${folder}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    # In a ThreadSanitizer build the generator draws through the toolkit, which is not built
    # with the sanitizer: what the toolkit does on its own threads is left out, as in the tests.
    COMMAND ${CMAKE_COMMAND} -E env TSAN_OPTIONS=ignore_noninstrumented_modules=1
            ${PROJECT_SOURCE_DIR}/scripts/in-private-network.sh
            $<TARGET_FILE:${ARG_GENERATOR}> ${ARG_ARGS} ${folder}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DOUTPUT=${source} -DTABLE=${name}
            -P ${_DSP_EMBED_SCRIPT}
    DEPENDS ${ARG_GENERATOR} ${_DSP_EMBED_SCRIPT}
    COMMENT "Generating the resources of ${name}"
    VERBATIM)
  add_library(${name}_table STATIC ${source})
  target_include_directories(${name}_table PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_options(${name}_table PRIVATE ${DSP_WARNINGS})
  target_link_libraries(${name}_table PUBLIC framework_core)
  add_library(${name} INTERFACE)
  target_link_libraries(${name} INTERFACE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}_table>")
  # Where the generated files lie, for tests that compare them.
  set_target_properties(${name}_table PROPERTIES DSP_RESOURCE_FOLDER ${folder})
endfunction()
