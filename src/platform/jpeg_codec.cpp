#include "platform/jpeg_codec.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>

#include <jpeglib.h>

namespace mv {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back
// to the function that started the work. The functions that set the jump point keep no
// object with a destructor of their own, so the jump skips no clean-up.
struct TJpegErrors {
    jpeg_error_mgr Manager{};
    std::jmp_buf Return{};
};

[[noreturn]] void JumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TJpegErrors*>(info->err)->Return, 1);
}

void Silent(j_common_ptr /*info*/) {}

void Prepare(TJpegErrors& errors) {
    jpeg_std_error(&errors.Manager);
    errors.Manager.error_exit = JumpBack;
    errors.Manager.output_message = Silent;
}

bool Decode(std::span<const std::uint8_t> bytes, TRgbPicture& picture) {
    jpeg_decompress_struct info{};
    TJpegErrors errors;
    Prepare(errors);
    info.err = &errors.Manager;
    if (setjmp(errors.Return) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width > MaxJpegSide || info.image_height > MaxJpegSide) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    picture.Width = static_cast<int>(info.output_width);
    picture.Height = static_cast<int>(info.output_height);
    const std::size_t stride = std::size_t{info.output_width} * 3;
    picture.Pixels.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.Pixels.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    // A warning means libjpeg made up data to fill a gap: the picture is not what was stored.
    const bool whole = errors.Manager.num_warnings == 0;
    jpeg_destroy_decompress(&info);
    return whole;
}

// libjpeg allocates the output with malloc; `buffer` is freed by the caller, also after a jump.
bool Encode(const TRgbPicture& picture, int quality, unsigned char*& buffer, unsigned long& size) {
    jpeg_compress_struct info{};
    TJpegErrors errors;
    Prepare(errors);
    info.err = &errors.Manager;
    if (setjmp(errors.Return) != 0) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(picture.Width);
    info.image_height = static_cast<JDIMENSION>(picture.Height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(picture.Width) * 3;
    while (info.next_scanline < info.image_height) {
        // libjpeg reads the row but does not take a const pointer.
        auto* row = const_cast<JSAMPLE*>(picture.Pixels.data() + stride * info.next_scanline);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

std::optional<TRgbPicture> DecodeJpeg(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return std::nullopt;
    TRgbPicture picture;
    if (!Decode(bytes, picture)) return std::nullopt;
    return picture;
}

std::vector<std::uint8_t> EncodeJpeg(const TRgbPicture& picture, int quality) {
    if (picture.Width <= 0 || picture.Height <= 0 || picture.Width > MaxJpegSide ||
        picture.Height > MaxJpegSide ||
        picture.Pixels.size() != static_cast<std::size_t>(picture.Width) * picture.Height * 3)
        return {};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool encoded = Encode(picture, quality < 1 ? 1 : quality > 100 ? 100 : quality, buffer, size);
    std::vector<std::uint8_t> bytes;
    if (encoded) bytes.assign(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

} // namespace mv
