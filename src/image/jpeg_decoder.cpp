#include "image/jpeg_decoder.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

#include "image/file_io.h"
#include "image/image_error.h"

namespace orbeline {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return. Throwing a
// C++ exception through libjpeg's C frames is not safe, so error_exit keeps the message and
// longjmps back to the setjmp in Guarded; the exception is raised from there.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

extern "C" void OnJpegError(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

// Warnings (a corrupt but decodable stream) are not shown: the picture is used as far as
// it goes, as every viewer does.
extern "C" void OnJpegMessage(j_common_ptr) {}

// Runs one step of libjpeg calls; false when libjpeg reported an error in it. The error
// leaves `step` by longjmp, so nothing in its frame may have a destructor.
template <typename Step>
bool Guarded(ErrorManager& errors, Step step) {
  if (setjmp(errors.jump)) return false;
  step();
  return true;
}

// The words 0xFFRRGGBB in memory order: libjpeg-turbo writes the padding byte as 0xFF.
constexpr J_COLOR_SPACE kRgb32Space =
    std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;

// A cropped row is decoded this many iMCU columns wider on each side than asked for: the
// smooth upsampling treats the crop's edges as the picture's edges, and so does the block
// smoothing of a progressive picture whose later scans are missing, which reaches two
// chroma blocks away; the columns used then match a decode of whole rows exactly.
constexpr int kCropMarginImcus = 3;

int ImcuWidth(const jpeg_decompress_struct& cinfo) {
#if JPEG_LIB_VERSION >= 70
  return cinfo.max_h_samp_factor * cinfo.min_DCT_h_scaled_size;
#else
  return cinfo.max_h_samp_factor * cinfo.min_DCT_scaled_size;
#endif
}

}  // namespace

// Everything libjpeg touches lives on the heap, where a longjmp leaves it intact.
struct JpegDecoder::State {
  jpeg_decompress_struct cinfo{};
  ErrorManager errors{};
  bool created = false;
  bool failed = false;
  std::string context;  // the start of every error message
  PictureStream file;
  bool cmyk = false;
  bool started = false;
  JpegRowFormat format = JpegRowFormat::kRgb32;
  Rect part;
  int decoded_left = 0;  // the first column of the rows libjpeg writes
  int rows_left = 0;
  bool direct = false;  // libjpeg writes the caller's row itself
  std::vector<JSAMPLE> scratch;

  ~State() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }

  [[noreturn]] void Fail(const std::string& reason) {
    failed = true;
    throw ImageError(context + reason);
  }

  template <typename Step>
  void Run(Step step) {
    if (failed) Fail("the decoder has failed before");
    if (!Guarded(errors, step)) Fail(errors.message);
  }

  template <typename SetSource>
  void ReadHeader(SetSource set_source) {
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = OnJpegError;
    errors.pub.output_message = OnJpegMessage;
    Run([this, &set_source] {
      jpeg_create_decompress(&cinfo);
      created = true;
      set_source();
      jpeg_read_header(&cinfo, TRUE);
    });
    try {
      CheckImageSize(cinfo.image_width, cinfo.image_height, "DecodeJpeg");
    } catch (const ImageError& e) {
      Fail(e.what());
    }
    cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    Run([this] { jpeg_calc_output_dimensions(&cinfo); });
  }
};

JpegDecoder::JpegDecoder(std::span<const std::uint8_t> bytes, std::string_view source_name)
    : state_(std::make_unique<State>()) {
  state_->context = "Cannot read the JPEG file \"" + std::string(source_name) + "\": ";
  if (bytes.empty()) state_->Fail("empty file");
  state_->ReadHeader([this, bytes] {
    jpeg_mem_src(&state_->cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  });
}

JpegDecoder::JpegDecoder(const std::filesystem::path& path) : state_(std::make_unique<State>()) {
  state_->context = "Cannot read the JPEG file \"" + path.string() + "\": ";
  // libjpeg reads the stream as it decodes: the size is checked before the pixels are read.
  state_->file = OpenPictureFile(path);
  state_->ReadHeader([this] { jpeg_stdio_src(&state_->cinfo, state_->file.get()); });
}

JpegDecoder::~JpegDecoder() = default;

int JpegDecoder::FullWidth() const { return static_cast<int>(state_->cinfo.image_width); }
int JpegDecoder::FullHeight() const { return static_cast<int>(state_->cinfo.image_height); }
int JpegDecoder::Width() const { return static_cast<int>(state_->cinfo.output_width); }
int JpegDecoder::Height() const { return static_cast<int>(state_->cinfo.output_height); }

void JpegDecoder::ScaleToAtLeast(PixelSize needed) {
  State& s = *state_;
  if (s.started) s.Fail("the scale is chosen before the decoding starts");
  const int width = FullWidth();
  const int height = FullHeight();
  const auto scaled = [](int size, int eighths) { return (size * eighths + 7) / 8; };
  int eighths = 8;
  for (int e = 1; e < 8; ++e) {
    if (scaled(width, e) >= needed.width && scaled(height, e) >= needed.height) {
      eighths = e;
      break;
    }
  }
  s.cinfo.scale_num = static_cast<unsigned int>(eighths);
  s.cinfo.scale_denom = 8;
  s.Run([&s] { jpeg_calc_output_dimensions(&s.cinfo); });
}

void JpegDecoder::Start(const Rect& part, JpegRowFormat format) {
  State& s = *state_;
  if (s.started) s.Fail("the decoding has started before");
  const int width = Width();
  if (part.IsEmpty() || part.left < 0 || part.top < 0 || part.right > width ||
      part.bottom > Height()) {
    s.Fail("the part to decode lies outside the picture");
  }
  s.started = true;
  s.format = format;
  s.part = part;
  s.cinfo.out_color_space =
      s.cmyk ? JCS_CMYK : (format == JpegRowFormat::kRgb32 ? kRgb32Space : JCS_EXT_BGR);
  s.Run([&s] { jpeg_start_decompress(&s.cinfo); });
  s.decoded_left = 0;
  int decoded_width = width;
  if (part.Width() < width) {
    const int margin = kCropMarginImcus * ImcuWidth(s.cinfo);
    const int left = std::max(0, part.left - margin);
    const int right = std::min(width, part.right + margin);
    if (right - left < width) {
      JDIMENSION x = static_cast<JDIMENSION>(left);
      JDIMENSION w = static_cast<JDIMENSION>(right - left);
      s.Run([&s, &x, &w] { jpeg_crop_scanline(&s.cinfo, &x, &w); });
      s.decoded_left = static_cast<int>(x);
      decoded_width = static_cast<int>(w);
    }
  }
  s.direct = !s.cmyk && s.decoded_left == part.left && decoded_width == part.Width();
  if (!s.direct) {
    s.scratch.resize(static_cast<std::size_t>(decoded_width) *
                     static_cast<std::size_t>(s.cinfo.output_components));
  }
  if (part.top > 0) {
    s.Run([&s, &part] { jpeg_skip_scanlines(&s.cinfo, static_cast<JDIMENSION>(part.top)); });
  }
  s.rows_left = part.Height();
}

void JpegDecoder::ReadRow(std::uint8_t* bgr) { ReadRowBytes(bgr, JpegRowFormat::kBgr24); }

void JpegDecoder::ReadRow(std::uint32_t* rgb32) {
  // libjpeg writes the words byte by byte, in the order kRgb32Space gives them.
  ReadRowBytes(reinterpret_cast<std::uint8_t*>(rgb32), JpegRowFormat::kRgb32);
}

void JpegDecoder::ReadRowBytes(std::uint8_t* out, JpegRowFormat format) {
  State& s = *state_;
  if (!s.started || s.format != format || s.rows_left == 0) s.Fail("no such row to read");
  JSAMPROW row = s.direct ? out : s.scratch.data();
  JDIMENSION read = 0;
  s.Run([&s, &row, &read] { read = jpeg_read_scanlines(&s.cinfo, &row, 1); });
  // Our sources never suspend: at the end of the data libjpeg makes up the rest itself.
  if (read != 1) s.Fail("no row decoded");
  if (!s.direct) {
    const int skip = s.part.left - s.decoded_left;
    const int count = s.part.Width();
    if (s.cmyk) {
      // Adobe CMYK JPEGs store inverted values: the colour is then (c * k / 255, ...).
      const JSAMPLE* cmyk = s.scratch.data() + 4 * static_cast<std::size_t>(skip);
      for (int x = 0; x < count; ++x, cmyk += 4) {
        const int k = cmyk[3];
        const auto red = static_cast<std::uint8_t>(cmyk[0] * k / 255);
        const auto green = static_cast<std::uint8_t>(cmyk[1] * k / 255);
        const auto blue = static_cast<std::uint8_t>(cmyk[2] * k / 255);
        if (format == JpegRowFormat::kBgr24) {
          *out++ = blue;
          *out++ = green;
          *out++ = red;
        } else {
          const std::uint32_t word =
              0xFF000000u | (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
          std::memcpy(out, &word, 4);
          out += 4;
        }
      }
    } else {
      const std::size_t pixel = format == JpegRowFormat::kBgr24 ? 3 : 4;
      std::memcpy(out, s.scratch.data() + pixel * static_cast<std::size_t>(skip),
                  pixel * static_cast<std::size_t>(count));
    }
  }
  --s.rows_left;
  // Read to its end, a stream reports what is wrong after its last row too.
  if (s.cinfo.output_scanline == s.cinfo.output_height) {
    s.Run([&s] { jpeg_finish_decompress(&s.cinfo); });
  }
}

TNkDIB DecodeJpeg(JpegDecoder& decoder, const DecodeSizeHint& hint) {
  if (hint) decoder.ScaleToAtLeast(hint(decoder.FullWidth(), decoder.FullHeight()));
  DibImage image = DibImage::Create(decoder.Width(), decoder.Height(), 24, {});
  decoder.Start({0, 0, image.Width(), image.Height()}, JpegRowFormat::kBgr24);
  // DIB rows are bottom-up: the first row decoded is the last storage row.
  for (int y = image.Height() - 1; y >= 0; --y) decoder.ReadRow(image.Row(y));
  return TNkDIB(std::move(image));
}

TNkDIB DecodeJpeg(std::span<const std::uint8_t> bytes, std::string_view source_name,
                  const DecodeSizeHint& hint) {
  JpegDecoder decoder(bytes, source_name);
  return DecodeJpeg(decoder, hint);
}

TNkDIB DecodeJpegFile(const std::filesystem::path& path, const DecodeSizeHint& hint) {
  JpegDecoder decoder(path);
  return DecodeJpeg(decoder, hint);
}

}  // namespace orbeline
