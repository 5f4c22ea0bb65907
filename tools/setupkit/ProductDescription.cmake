# The product description: its loader, the cp1252 mapping and the writer that dump uses; and
# the tool's one way of reading and writing files (ToolFiles.h).
# Portable; used by the setupkit tool, the native tests and the fuzz targets (which include this
# file on their own, without the rest of the tool). toml++ is used header-only.
add_library(setupkit_description STATIC
    ${CMAKE_CURRENT_LIST_DIR}/Cp1252.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DescriptionWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FolderTree.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InstalledNameCheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ParserInput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProductDescription.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RegistryKeyCheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextReferences.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ToolFiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TreePattern.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowsNames.cpp
)
target_include_directories(setupkit_description PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(setupkit_description PUBLIC setupcore)
