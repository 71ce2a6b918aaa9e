// JPEG through libjpeg(-turbo). libjpeg reports fatal errors through error_exit, which by
// default ends the process; here it longjmps back so the failure becomes an lv::Error.
// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "codecs/picture_codecs.h"
#include "common/error.h"

namespace lv {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool endOfData;  // the data ran out and libjpeg padded it
    bool hitMarker;  // the entropy decoder needed bits the data did not have
};

void ErrorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// libjpeg only warns when the data ends early and pads the rest of the picture with grey;
// the warnings are noted so that a truncated picture is refused instead.
void NoteWarning(j_common_ptr info, int level) {
    if (level >= 0) return;
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    if (info->err->msg_code == JWRN_JPEG_EOF) manager->endOfData = true;
    if (info->err->msg_code == JWRN_HIT_MARKER) manager->hitMarker = true;
}

// Decompression state that must be destroyed on every path out, the longjmp one included.
// Kept free of C++ objects with destructors between setjmp and the last libjpeg call.
struct Decompressor {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    ~Decompressor() { jpeg_destroy_decompress(&info); }
};

bool DecodeInto(Decompressor& d, std::string_view bytes, Bitmap32& out, std::string& failure) {
    d.info.err = jpeg_std_error(&d.errors.base);
    d.errors.base.error_exit = ErrorExit;
    d.errors.base.emit_message = NoteWarning;
    if (setjmp(d.errors.jump)) {
        failure = d.errors.message;
        return false;
    }
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&d.info, TRUE);
    d.info.out_color_space = JCS_EXT_BGRX;
    jpeg_calc_output_dimensions(&d.info);
    try {
        CheckPictureSize(d.info.output_width, d.info.output_height, "JPEG picture");
        out.SetSize(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height));
    } catch (const Error& e) {
        failure = e.Message();
        return false;
    }
    jpeg_start_decompress(&d.info);
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row =
            reinterpret_cast<JSAMPROW>(out.Row(static_cast<int>(d.info.output_scanline)));
        jpeg_read_scanlines(&d.info, &row, 1);
    }
    // The data ended early. That is harmless only when just the end-of-image marker is
    // missing: one scan held every component and the decoder never ran out of bits. A
    // progressive picture cut between two scans would show blurred or colourless.
    const bool cutShort = d.errors.hitMarker || d.info.progressive_mode ||
                          d.info.comps_in_scan < d.info.num_components;
    if (d.errors.endOfData && cutShort) {
        failure = "Premature end of JPEG file";
        return false;
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

}  // namespace

void DecodeJpegInto(std::string_view bytes, const std::string& name, Bitmap32& picture) {
    picture.SetSize(0, 0);
    if (bytes.empty()) throw Error("JPEG data is empty", name);
    std::string failure;
    Decompressor d;
    if (!DecodeInto(d, bytes, picture, failure)) {
        picture.SetSize(0, 0);
        throw Error("JPEG error: " + failure, name);
    }
    // BGRX leaves the fourth byte at 0xFF; the system's pixels keep it 0.
    const size_t count = picture.PixelCount();
    uint32_t* p = picture.Data();
    for (size_t i = 0; i < count; ++i) p[i] &= 0x00FFFFFFu;
}

Bitmap32 DecodeJpeg(std::string_view bytes, const std::string& name) {
    Bitmap32 picture;
    DecodeJpegInto(bytes, name, picture);
    return picture;
}

std::string EncodeJpeg(const Bitmap32& picture, int quality) {
    if (picture.Empty()) throw Error("cannot encode an empty picture as JPEG");
    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ErrorExit;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        throw Error(std::string("JPEG error: ") + errors.message);
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(picture.Width());
    info.image_height = static_cast<JDIMENSION>(picture.Height());
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto row = reinterpret_cast<JSAMPROW>(
            const_cast<uint32_t*>(picture.Row(static_cast<int>(info.next_scanline))));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

}  // namespace lv
