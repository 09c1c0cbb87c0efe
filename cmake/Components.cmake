# korv_add_children(): adds every direct sub-folder of the current folder that
# holds a CMakeLists.txt, in name order, so components can be added without
# touching a shared list.
function(korv_add_children)
    file(GLOB lists CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
    list(SORT lists)
    foreach(list_file IN LISTS lists)
        get_filename_component(dir ${list_file} DIRECTORY)
        add_subdirectory(${dir})
    endforeach()
endfunction()
