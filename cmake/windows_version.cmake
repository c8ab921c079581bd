# morvelt_windows_version(TARGET DESCRIPTION): gives a Windows program its
# version resource, with the project's version, the program's file name and
# DESCRIPTION, which Explorer shows as the file's description.
function(morvelt_windows_version target description)
    set(name ${target})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()
