// JPEG through libjpeg(-turbo). libjpeg reports fatal errors through error_exit, which by
// default ends the process; here it longjmps back so the failure becomes an lv::Error.
// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "codecs/picture_codecs.h"
#include "common/error.h"

namespace lv {
namespace {

// A progressive or multi-scan picture is decoded through a buffer of coefficients for the whole
// picture (2 bytes per sample), which libjpeg zeroes before reading any data. Every block of a
// Huffman-coded scan costs at least one bit, so such data never needs more than about 1024
// buffer bytes per file byte; a floor keeps every ordinary picture clear of the rule (only a
// large, nearly blank arithmetic-coded picture could meet it). Without it a file of a few
// hundred bytes could claim the buffer of a 100-megapixel picture.
constexpr long MinWholePictureBuffer = 64L << 20;
constexpr long WholePictureBufferPerByte = 1024;
// Each scan is a pass over the whole buffer; ordinary files have about ten.
constexpr int MaxScans = 500;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool endOfData;  // the data ran out and libjpeg padded it
    bool hitMarker;  // the entropy decoder needed bits the data did not have
};

[[noreturn]] void Fail(ErrorManager& manager) { std::longjmp(manager.jump, 1); }

void ErrorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    if (info->err->msg_code == JERR_NO_BACKING_STORE)
        std::snprintf(manager->message, sizeof manager->message,
                      "the picture needs a whole-picture buffer larger than its data can fill");
    else
        (*info->err->format_message)(info, manager->message);
    Fail(*manager);
}

// libjpeg only warns when the data ends early and pads the rest of the picture with grey;
// the warnings are noted so that a truncated picture is refused instead.
void NoteWarning(j_common_ptr info, int level) {
    if (level >= 0) return;
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    if (info->err->msg_code == JWRN_JPEG_EOF) manager->endOfData = true;
    if (info->err->msg_code == JWRN_HIT_MARKER) manager->hitMarker = true;
}

void LimitScans(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number <= MaxScans) return;
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    std::snprintf(manager->message, sizeof manager->message, "more than %d scans", MaxScans);
    Fail(*manager);
}

// Decompression state that must be destroyed on every path out, the longjmp one included, so
// it lives outside the frame that calls setjmp; that frame holds no C++ objects with
// destructors.
struct Decompressor {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
    // Rows of a picture whose size differs from the caller's bitmap, added as they decode.
    Bitmap32::Pixels rows;
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
    d.progress.progress_monitor = LimitScans;
    d.info.progress = &d.progress;
    const long perByte = static_cast<long>(std::min<size_t>(bytes.size(), LONG_MAX / 2048));
    d.info.mem->max_memory_to_use =
        std::max(MinWholePictureBuffer, perByte * WholePictureBufferPerByte);
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&d.info, TRUE);
    d.info.out_color_space = JCS_EXT_BGRX;
    jpeg_calc_output_dimensions(&d.info);
    const int width = static_cast<int>(std::min<JDIMENSION>(d.info.output_width, INT_MAX));
    const int height = static_cast<int>(std::min<JDIMENSION>(d.info.output_height, INT_MAX));
    try {
        CheckPictureSize(width, height, "JPEG picture");
    } catch (const Error& e) {
        failure = e.Message();
        return false;
    }
    // A bitmap of the right size is decoded into directly. Otherwise memory is reserved (not
    // yet touched) and rows are added as they decode, so data that ends early costs only what
    // it held.
    const bool inPlace = out.Width() == width && out.Height() == height;
    if (!inPlace) {
        d.rows = out.ReleasePixels();
        d.rows.clear();
        d.rows.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    }
    jpeg_start_decompress(&d.info);
    while (d.info.output_scanline < d.info.output_height) {
        const int y = static_cast<int>(d.info.output_scanline);
        uint32_t* row;
        if (inPlace) {
            row = out.Row(y);
        } else {
            d.rows.resize(d.rows.size() + static_cast<size_t>(width));
            row = d.rows.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        }
        auto* samples = reinterpret_cast<JSAMPROW>(row);
        jpeg_read_scanlines(&d.info, &samples, 1);
        // The rest would be padding.
        if (d.errors.endOfData && d.errors.hitMarker) break;
        // BGRX leaves the fourth byte at 0xFF; the system's pixels keep it 0.
        for (int x = 0; x < width; ++x) row[x] &= 0x00FFFFFFu;
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
    if (!inPlace) out.Adopt(width, height, std::move(d.rows));
    return true;
}

}  // namespace

void DecodeJpegInto(std::string_view bytes, const std::string& name, Bitmap32& picture) {
    if (bytes.empty()) {
        picture.SetSize(0, 0);
        throw Error("JPEG data is empty", name);
    }
    std::string failure;
    Decompressor d;
    if (!DecodeInto(d, bytes, picture, failure)) {
        picture.SetSize(0, 0);
        throw Error("JPEG error: " + failure, name);
    }
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
