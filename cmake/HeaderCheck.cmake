# check_headers: every header of the project compiled on its own, one translation unit per header
# holding nothing but its #include, with the flags, include paths and definitions of the target
# its folder builds (so framework headers that include Qt see Qt's paths, test headers see
# GoogleTest's). A header that leans on something its includer happened to include first fails
# here. Not part of "all": scripts/check-headers.sh builds it, and CI runs that script.
# A header whose own source file (same folder and name, .cpp) includes it before anything else is
# already compiled on its own when that source is: check_headers builds the source's target
# instead of a translation unit of its own, unless the target compiles with a precompiled header
# or in unity batches, which put other text before the include.
# Include this file before the folders, call dsp_add_header_check() after them.

# The header checks are made at the top level and link the folders' packages (Qt, GoogleTest):
# their imported targets must be visible everywhere.
set(CMAKE_FIND_PACKAGE_TARGETS_GLOBAL ON)

# The first library or program each folder declares, as the global property
# DSP_FOLDER_TARGET_<folder relative to the project root>; and the target of each source file,
# as DSP_SOURCE_TARGET_<file relative to the project root>.
function(_dsp_record_folder_targets dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "STATIC_LIBRARY" OR type STREQUAL "EXECUTABLE")
      file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${dir})
      get_property(known GLOBAL PROPERTY DSP_FOLDER_TARGET_${rel} SET)
      if(NOT known)
        set_property(GLOBAL PROPERTY DSP_FOLDER_TARGET_${rel} ${target})
      endif()
      get_target_property(sources ${target} SOURCES)
      get_target_property(source_dir ${target} SOURCE_DIR)
      foreach(source IN LISTS sources)
        get_filename_component(path ${source} ABSOLUTE BASE_DIR ${source_dir})
        file(RELATIVE_PATH source_rel ${PROJECT_SOURCE_DIR} ${path})
        set_property(GLOBAL PROPERTY DSP_SOURCE_TARGET_${source_rel} ${target})
      endforeach()
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    _dsp_record_folder_targets(${sub})
  endforeach()
endfunction()

# owner: the target that compiles the header's own source with the header included first, or
# empty.
function(_dsp_header_proven_by_source header owner)
  set(${owner} "" PARENT_SCOPE)
  string(REGEX REPLACE "\\.h$" ".cpp" source ${header})
  get_property(target GLOBAL PROPERTY DSP_SOURCE_TARGET_${source})
  if(NOT target OR NOT EXISTS ${PROJECT_SOURCE_DIR}/${source})
    return()
  endif()
  get_target_property(pch ${target} PRECOMPILE_HEADERS)
  get_target_property(pch_from ${target} PRECOMPILE_HEADERS_REUSE_FROM)
  get_target_property(unity ${target} UNITY_BUILD)
  if(pch OR pch_from OR unity)
    return()
  endif()
  # The first preprocessor line of the source.
  file(STRINGS ${PROJECT_SOURCE_DIR}/${source} first REGEX "^[ \t]*#" LIMIT_COUNT 1)
  if(first STREQUAL "#include \"${header}\"")
    set(${owner} ${target} PARENT_SCOPE)
  endif()
endfunction()

function(dsp_add_header_check)
  _dsp_record_folder_targets(${PROJECT_SOURCE_DIR})
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}
    ${PROJECT_SOURCE_DIR}/*.h)
  add_custom_target(check_headers)
  set(groups "")
  set(proven 0)
  foreach(header IN LISTS headers)
    if(header MATCHES "^(build|\\.)")
      continue()
    endif()
    _dsp_header_proven_by_source(${header} owner)
    if(owner)
      add_dependencies(check_headers ${owner})
      math(EXPR proven "${proven} + 1")
      continue()
    endif()
    # The target of the header's folder, or of the nearest folder above it that has one.
    get_filename_component(dir ${header} DIRECTORY)
    set(target "")
    while(TRUE)
      get_property(target GLOBAL PROPERTY DSP_FOLDER_TARGET_${dir})
      if(target OR dir STREQUAL "")
        break()
      endif()
      get_filename_component(dir ${dir} DIRECTORY)
    endwhile()
    if(NOT target)
      # A folder this configuration does not build (benchmarks switched off, say).
      list(APPEND unchecked ${header})
      continue()
    endif()
    set(unit ${CMAKE_BINARY_DIR}/header-check/${header}.cpp)
    file(CONFIGURE OUTPUT ${unit} CONTENT "#include \"${header}\"\n")
    list(APPEND units_${target} ${unit})
    list(APPEND groups ${target})
  endforeach()
  message(STATUS "check_headers: ${proven} headers are compiled on their own by their sources")
  if(unchecked)
    list(LENGTH unchecked count)
    message(STATUS "check_headers: ${count} headers in folders this build leaves out are not checked")
  endif()
  # For scripts/check-headers.sh: what this configuration leaves to a build that has those folders.
  list(JOIN unchecked "\n" unchecked_lines)
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/header-check/unchecked.txt CONTENT "${unchecked_lines}")
  list(REMOVE_DUPLICATES groups)
  foreach(target IN LISTS groups)
    set(check check_headers_${target})
    add_library(${check} OBJECT EXCLUDE_FROM_ALL ${units_${target}})
    target_include_directories(${check} PRIVATE ${PROJECT_SOURCE_DIR}
      $<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>)
    target_compile_definitions(${check} PRIVATE $<TARGET_PROPERTY:${target},COMPILE_DEFINITIONS>)
    # Compile only: no code to optimise or debug.
    target_compile_options(${check} PRIVATE ${DSP_WARNINGS} -O0 -g0)
    get_target_property(deps ${target} LINK_LIBRARIES)
    if(deps)
      target_link_libraries(${check} PRIVATE ${deps})
    endif()
    add_dependencies(check_headers ${check})
  endforeach()
endfunction()
