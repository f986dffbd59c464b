# The cross build takes the header-only libraries from the host's /usr/include.
# Their own package files would put all of /usr/include on the include path,
# where the host's C headers shadow MinGW's; so only the library's folder is
# copied into the build tree and offered from there.
function(velquor_host_headers target folder)
    if(TARGET ${target})
        return()
    endif()
    set(root ${CMAKE_BINARY_DIR}/host-headers)
    if(NOT EXISTS /usr/include/${folder})
        message(FATAL_ERROR "/usr/include/${folder} is missing: install the library's -dev package")
    endif()
    file(COPY /usr/include/${folder} DESTINATION ${root})
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${root})
endfunction()
