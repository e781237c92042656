# velmora_module(name SOURCES ... DEPENDS ...): one module of src/ as a static library.
# One static library per module. A module sees the headers of the modules it names and no
# others: each library publishes an include root that holds only its own folder, so an include
# against the layering fails to compile instead of creeping in. Dependencies are linked
# privately: a module does not see the modules that the ones it names depend on.
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
    # Its tests see what it sees.
    set_target_properties(velmora_${name} PROPERTIES VELMORA_DEPENDS "${M_DEPENDS}")
    # Qt and the C libraries stay public: the modules' headers use their types.
    foreach(dependency ${M_DEPENDS})
        if(dependency MATCHES "^velmora_")
            target_link_libraries(velmora_${name} PRIVATE ${dependency})
        else()
            target_link_libraries(velmora_${name} PUBLIC ${dependency})
        endif()
    endforeach()
endfunction()

# velmora_use(target VISIBILITY module...): target links each module with the modules it names,
# and so sees their headers too: for the program, the tests and the benchmarks, which use a
# module's headers as a whole.
function(velmora_use target visibility)
    foreach(module ${ARGN})
        get_target_property(depends velmora_${module} VELMORA_DEPENDS)
        target_link_libraries(${target} ${visibility} velmora_${module} ${depends})
    endforeach()
endfunction()
