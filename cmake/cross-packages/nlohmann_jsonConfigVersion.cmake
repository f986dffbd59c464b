# The host's version rules, as the headers are the host's.
include(/usr/share/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake)
