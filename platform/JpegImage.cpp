#include "platform/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// it jumps back to the codec call. Only plain data lives in the frames the
// jump crosses; buffers are freed by the caller.
struct JpegError {
    jpeg_error_mgr mgr;
    jmp_buf jump;
    char text[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
    auto* err = reinterpret_cast<JpegError*>(info->err);
    err->mgr.format_message(info, err->text);
    longjmp(err->jump, 1);
}

void OnJpegMessage(j_common_ptr, int) {}

struct Decoded {
    unsigned char* pixels;  // BGR rows, malloc'ed
    int width, height;
};

bool Decode(const unsigned char* data, unsigned long size, Decoded* out, JpegError* err) {
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&err->mgr);
    err->mgr.error_exit = &OnJpegError;
    err->mgr.emit_message = &OnJpegMessage;
    if (setjmp(err->jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    const size_t stride = static_cast<size_t>(info.output_width) * 3;
    out->width = static_cast<int>(info.output_width);
    out->height = static_cast<int>(info.output_height);
    out->pixels = static_cast<unsigned char*>(malloc(stride * info.output_height));
    if (!out->pixels) {
        std::strcpy(err->text, "Out of memory");
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out->pixels + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

struct Encoded {
    unsigned char* data;  // malloc'ed by libjpeg
    unsigned long size;
};

bool Encode(const unsigned char* rgb, int w, int h, int quality, Encoded* out, JpegError* err) {
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&err->mgr);
    err->mgr.error_exit = &OnJpegError;
    err->mgr.emit_message = &OnJpegMessage;
    if (setjmp(err->jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &out->data, &out->size);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto row = const_cast<JSAMPROW>(rgb + static_cast<size_t>(w) * 3 * info.next_scanline);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

void TJPEGImage::LoadFromStream(TStream* stream) {
    const std::vector<uint8_t> data = platform::ReadRest(stream);
    Decoded d{nullptr, 0, 0};
    JpegError err{};
    const bool ok = Decode(data.data(), static_cast<unsigned long>(data.size()), &d, &err);
    std::unique_ptr<unsigned char, decltype(&free)> pixels(d.pixels, &free);
    if (!ok) throw EInvalidGraphic(L"JPEG image is not valid: " + AnsiDecode(err.text));
    SetPixelsBgr(d.width, d.height, d.pixels, static_cast<size_t>(d.width) * 3);
    Changed();
}

void TJPEGImage::SaveToStream(TStream* stream) {
    if (Empty()) throw EInvalidGraphic(L"Cannot save an empty JPEG image");
    const std::vector<uint8_t> rgb = PixelsRgb();
    Encoded e{nullptr, 0};
    JpegError err{};
    const int quality = CompressionQuality < 1 ? 1 : CompressionQuality > 100 ? 100 : CompressionQuality;
    const bool ok = Encode(rgb.data(), Width(), Height(), quality, &e, &err);
    std::unique_ptr<unsigned char, decltype(&free)> data(e.data, &free);
    if (!ok) throw EInvalidGraphic(L"Cannot write the JPEG image: " + AnsiDecode(err.text));
    stream->WriteBuffer(e.data, static_cast<int32_t>(e.size));
}
