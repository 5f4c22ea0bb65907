# The product description library (description/), for builds that take it without the rest
# of the tool (the fuzz targets).
add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/description ${CMAKE_BINARY_DIR}/setupkit-description)
