# Definition files: the profile-file reader, the locale's language code and the loader.
target_sources(orbeline_core PRIVATE
  definition_file.cpp
  ini_reader.cpp
  locale_code.cpp
)
