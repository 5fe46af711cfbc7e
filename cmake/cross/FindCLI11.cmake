include(${CMAKE_CURRENT_LIST_DIR}/host_header_package.cmake)
vorlane_host_header_package(CLI11 CLI11::CLI11 CLI/CLI.hpp)
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(CLI11 REQUIRED_VARS CLI11_HOST_INCLUDE_DIR)
