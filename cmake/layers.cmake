# callcfg_offer_headers(TARGET FOLDER): TARGET's sources and everything that links TARGET may
# include FOLDER's headers as "<name>/<header>" (src/link/link.h as "link/link.h"; a folder
# outside src by its whole path, hostsim/line/ptyhost.h as "hostsim/line/ptyhost.h"). Each
# folder gets an include root of its own in the build tree holding a link to that folder alone,
# so no library sees a folder it does not link.
function(callcfg_offer_headers target folder)
  if(folder MATCHES "^src/")
    get_filename_component(name ${folder} NAME)
  else()
    set(name ${folder})
  endif()
  cmake_path(GET CMAKE_CURRENT_FUNCTION_LIST_DIR PARENT_PATH tree) # also from tests/win32's project
  string(REPLACE "/" "_" rootName ${name})
  set(root ${CMAKE_BINARY_DIR}/include/${rootName})
  cmake_path(GET name PARENT_PATH parent)
  file(MAKE_DIRECTORY ${root}/${parent})
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
