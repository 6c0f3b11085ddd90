# zuzo_cli_json: a program's JSON and "ptm make" (standard library and
# nlohmann/json; the fuzz targets take it too).
set(ZUZO_CLI_JSON_SOURCES
  tools/zuzo/json/json.cpp tools/zuzo/json/json.h
  tools/zuzo/json/json_program.cpp tools/zuzo/json/json_program.h
  tools/zuzo/json/json_reasons.cpp tools/zuzo/json/json_reasons.h
  tools/zuzo/json/ptm_make.cpp tools/zuzo/json/ptm_make.h
)
