# check_headers: every header of the project compiled on its own, one translation unit per header
# holding nothing but its #include, with the flags, include paths and definitions of the target
# its folder builds (so framework headers that include Qt see Qt's paths, test headers see
# GoogleTest's). A header that leans on something its includer happened to include first fails
# here. Not part of "all": scripts/check-headers.sh builds it, and CI runs that script.
# Include this file before the folders, call dsp_add_header_check() after them.

# The header checks are made at the top level and link the folders' packages (Qt, GoogleTest):
# their imported targets must be visible everywhere.
set(CMAKE_FIND_PACKAGE_TARGETS_GLOBAL ON)

# The first library or program each folder declares, as the global property
# DSP_FOLDER_TARGET_<folder relative to the project root>.
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
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    _dsp_record_folder_targets(${sub})
  endforeach()
endfunction()

function(dsp_add_header_check)
  _dsp_record_folder_targets(${PROJECT_SOURCE_DIR})
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}
    ${PROJECT_SOURCE_DIR}/*.h)
  add_custom_target(check_headers)
  set(groups "")
  foreach(header IN LISTS headers)
    if(header MATCHES "^(build|\\.)")
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
  if(unchecked)
    list(LENGTH unchecked count)
    message(STATUS "check_headers: ${count} headers in folders this build leaves out are not checked")
  endif()
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
