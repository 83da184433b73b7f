# callcfg_offer_headers(TARGET FOLDER): TARGET's sources and everything that links TARGET may
# include FOLDER's headers as "<name>/<header>" (src/link/link.h as "link/link.h",
# hostsim/ptyhost.h as "hostsim/ptyhost.h"). Each folder gets an include root of its own in the
# build tree holding a link to that folder alone, so no library sees a folder it does not link.
function(callcfg_offer_headers target folder)
  get_filename_component(name ${folder} NAME)
  cmake_path(GET CMAKE_CURRENT_FUNCTION_LIST_DIR PARENT_PATH tree) # also from tests/win32's project
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  file(MAKE_DIRECTORY ${root})
  if(NOT EXISTS ${root}/${name})
    file(CREATE_LINK ${tree}/${folder} ${root}/${name} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
