# velmora_module(name SOURCES ... DEPENDS ...): one module of src/ as a static library.
# One static library per module. A module sees the headers of the modules it links and no
# others: each library publishes an include root that holds only its own folder, so an include
# against the layering fails to compile instead of creeping in.
get_filename_component(VELMORA_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/../src ABSOLUTE)

function(velmora_module name)
    cmake_parse_arguments(M "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(velmora_${name} STATIC ${M_SOURCES})
    set(root ${CMAKE_BINARY_DIR}/module-include/${name})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${VELMORA_SOURCE_ROOT}/${name} ${root}/${name} RESULT linked SYMBOLIC)
    if(NOT linked EQUAL 0)
        # Without symbolic links the layering is left to review.
        set(root ${VELMORA_SOURCE_ROOT})
    endif()
    target_include_directories(velmora_${name} PUBLIC ${root})
    target_link_libraries(velmora_${name} PUBLIC ${M_DEPENDS})
endfunction()
