# The image component: TNkDIB, WorkBitmap, the BMP codec, colour conversions and the
# JPEG / PNG / WebP decoders.
target_sources(orbeline_core PRIVATE
  bmp_reader.cpp
  bmp_writer.cpp
  color_reduction.cpp
  dib_image.cpp
  file_io.cpp
  halftone.cpp
  image_decoder.cpp
  jpeg_decoder.cpp
  nk_dib.cpp
  palette_match.cpp
  png_decoder.cpp
  stretch.cpp
  webp_decoder.cpp
  work_bitmap.cpp
)
target_link_libraries(orbeline_core PUBLIC JPEG::JPEG PNG::PNG PkgConfig::WEBP)
