include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)
velquor_host_headers(nlohmann_json::nlohmann_json nlohmann)
