#include "jpeg_image.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h uses FILE without including it

// clang-format off
#include <jpeglib.h>
// clang-format on

namespace {

// libjpeg reports fatal errors through error_exit, which must not return.
struct JpegErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void ExitToCaller(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Destroys the decompressor on every path out of DecodeJpeg.
struct DecompressGuard {
  jpeg_decompress_struct* info;
  ~DecompressGuard() { jpeg_destroy_decompress(info); }
};

// Runs the decoding steps that may jump back on an error; no object with a
// destructor lives in this frame.
bool DecodeInto(jpeg_decompress_struct* info, JpegErrorManager* errors, const QByteArray* data,
                QImage* image) {
  if (setjmp(errors->jump) != 0) return false;
  jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(data->constData()),
               static_cast<unsigned long>(data->size()));
  jpeg_read_header(info, TRUE);
  info->out_color_space = JCS_RGB;
  jpeg_start_decompress(info);
  *image = QImage(int(info->output_width), int(info->output_height), QImage::Format_RGB888);
  if (image->isNull()) return false;
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = image->scanLine(int(info->output_scanline));
    jpeg_read_scanlines(info, &row, 1);
  }
  jpeg_finish_decompress(info);
  return true;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& data) {
  if (data.isEmpty()) return QImage();
  jpeg_decompress_struct info;
  JpegErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ExitToCaller;
  errors.base.output_message = IgnoreMessage;
  jpeg_create_decompress(&info);
  DecompressGuard guard{&info};
  QImage image;
  if (!DecodeInto(&info, &errors, &data, &image)) return QImage();
  return image;
}
