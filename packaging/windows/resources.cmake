# The Windows programs' icon and version resource, compiled in by windres. The icon is drawn
# from the Linux package's SVG at the usual sizes; the largest stays PNG, as Windows keeps it.
enable_language(RC)
find_program(CALLCFG_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(CALLCFG_ICOTOOL icotool REQUIRED)

set(callcfg_svg ${PROJECT_SOURCE_DIR}/packaging/linux/cn.mingyu.callcfg.svg)
set(callcfg_icon ${CMAKE_CURRENT_BINARY_DIR}/callcfg.ico)
set(callcfg_icon_commands)
set(callcfg_icon_bitmaps)
foreach(size 16 20 24 32 40 48 64 128 256)
  list(APPEND callcfg_icon_commands
       COMMAND ${CALLCFG_RSVG_CONVERT} -w ${size} -h ${size} -o icon-${size}.png ${callcfg_svg})
  if(size LESS 256)
    list(APPEND callcfg_icon_bitmaps icon-${size}.png)
  endif()
endforeach()
add_custom_command(OUTPUT ${callcfg_icon}
  ${callcfg_icon_commands}
  COMMAND ${CALLCFG_ICOTOOL} -c -o ${callcfg_icon} ${callcfg_icon_bitmaps} -r icon-256.png
  DEPENDS ${callcfg_svg}
  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
  VERBATIM)
add_custom_target(callcfg_icon DEPENDS ${callcfg_icon})

# callcfg_windows_resources(TARGET FILE_NAME DESCRIPTION): the icon and the version resource
# (product, description, version, company) into TARGET, whose file is FILE_NAME.
function(callcfg_windows_resources target file_name description)
  set(version_numbers ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/callcfg.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${callcfg_icon})
  add_dependencies(${target} callcfg_icon)
endfunction()
