#include "Jpeg.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdint>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <new>

#include <jpeglib.h>

namespace qx {

namespace {

constexpr std::size_t kInfoHeaderSize = 40;

void PutU16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t GetU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t GetU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint64_t Stride(std::uint64_t width, int bitCount) {
    return ((width * static_cast<std::uint64_t>(bitCount) + 31) / 32) * 4;
}

void WriteInfoHeader(std::uint8_t* p, std::int32_t width, std::int32_t height, int bitCount,
                     std::uint32_t imageSize, std::uint32_t colorsUsed) {
    PutU32(p + 0, kInfoHeaderSize);
    PutU32(p + 4, static_cast<std::uint32_t>(width));
    PutU32(p + 8, static_cast<std::uint32_t>(height));
    PutU16(p + 12, 1);
    PutU16(p + 14, static_cast<std::uint32_t>(bitCount));
    PutU32(p + 16, 0); // uncompressed
    PutU32(p + 20, imageSize);
    PutU32(p + 24, 0);
    PutU32(p + 28, 0);
    PutU32(p + 32, colorsUsed);
    PutU32(p + 36, 0);
}

// --- libjpeg plumbing -----------------------------------------------------
//
// libjpeg reports fatal errors through error_exit, which by default prints
// and calls exit(). Ours jumps back to the decode routine instead. Only
// libjpeg's C frames and the trivial callbacks below lie between the setjmp
// and the longjmp, so no destructor is skipped; everything the decode touches
// lives in a DecodeJob owned by the caller.

struct ErrorManager {
    jpeg_error_mgr pub; // first: libjpeg sees only this part
    std::jmp_buf jump;
};

struct ProgressManager {
    jpeg_progress_mgr pub; // first
    int maxScans;
};

[[noreturn]] void OnFatalError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

// Corrupt-data warnings are normal for damaged catalogue pictures; the image
// is still shown as far as it goes, so they are not printed.
void OnMessage(j_common_ptr, int) {}
void OnOutputMessage(j_common_ptr) {}

// A progressive stream can hold thousands of tiny scans, each of which costs
// a pass over the whole coefficient buffer; cap them so junk cannot stall
// the program.
void OnProgress(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor)
        return;
    const auto* progress = reinterpret_cast<ProgressManager*>(cinfo->progress);
    const auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (dinfo->input_scan_number > progress->maxScans)
        OnFatalError(cinfo);
}

struct DecodeJob {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    ProgressManager progress;
    const JpegLimits* limits = nullptr;
    std::span<const std::uint8_t> input;
    std::vector<std::uint8_t>* out = nullptr;
    std::vector<std::uint8_t>* scratch = nullptr;
};

std::uint8_t Clamp255(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

// CMYK to blue, green, red. Adobe writes the inks inverted (0 = full ink);
// other writers store them plainly.
void CmykToBgr(const std::uint8_t* src, std::uint8_t* dst, bool inverted) {
    int c = src[0], m = src[1], y = src[2], k = src[3];
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    dst[0] = Clamp255((y * k + 127) / 255);
    dst[1] = Clamp255((m * k + 127) / 255);
    dst[2] = Clamp255((c * k + 127) / 255);
}

// Components of a stream libjpeg cannot convert: one or two are taken as
// grey (the first component), three as RGB, four as CMYK.
void RawToBgr(const std::uint8_t* src, int components, std::uint8_t* dst, bool inverted) {
    switch (components) {
    case 3:
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = src[0];
        break;
    case 4:
        CmykToBgr(src, dst, inverted);
        break;
    default:
        dst[0] = dst[1] = dst[2] = src[0];
        break;
    }
}

enum class Route { Direct, Cmyk, Raw };

bool RunDecode(DecodeJob& job) {
    j_decompress_ptr cinfo = &job.cinfo;
    cinfo->err = jpeg_std_error(&job.err.pub);
    job.err.pub.error_exit = OnFatalError;
    job.err.pub.emit_message = OnMessage;
    job.err.pub.output_message = OnOutputMessage;
    if (setjmp(job.err.jump) != 0) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    jpeg_create_decompress(cinfo);
    job.progress.pub.progress_monitor = OnProgress;
    job.progress.maxScans = job.limits->maxScans;
    cinfo->progress = &job.progress.pub;
    jpeg_mem_src(cinfo, job.input.data(), static_cast<unsigned long>(job.input.size()));
    jpeg_read_header(cinfo, TRUE);

    const std::uint64_t width = cinfo->image_width;
    const std::uint64_t height = cinfo->image_height;
    const std::uint64_t stride = Stride(width, 24);
    // Pictures of more than four components exist only in theory; refusing
    // them also bounds libjpeg's own buffers.
    if (width == 0 || height == 0 || width > job.limits->maxWidth || height > job.limits->maxHeight ||
        width > 0x7FFFFFFF || height > 0x7FFFFFFF || cinfo->num_components < 1 || cinfo->num_components > 4 ||
        kInfoHeaderSize + stride * height > job.limits->maxOutputBytes ||
        stride * height > 0xFFFFFFFFull) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }

    Route route = Route::Direct;
    switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
        cinfo->out_color_space = JCS_EXT_BGR;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo->out_color_space = JCS_CMYK;
        route = Route::Cmyk;
        break;
    default:
        cinfo->out_color_space = cinfo->jpeg_color_space; // no conversion
        route = Route::Raw;
        break;
    }
    cinfo->dct_method = JDCT_ISLOW; // the same pixels on every machine

    jpeg_start_decompress(cinfo);
    if (cinfo->output_width != width || cinfo->output_height != height || cinfo->output_components < 1 ||
        cinfo->output_components > 4 || (route == Route::Direct && cinfo->output_components != 3)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    const int components = cinfo->output_components;
    const bool inverted = cinfo->saw_Adobe_marker != 0;

    try {
        job.out->assign(kInfoHeaderSize + stride * height, 0);
        if (route != Route::Direct)
            job.scratch->assign(width * static_cast<std::uint64_t>(components), 0);
    } catch (const std::bad_alloc&) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    std::uint8_t* const base = job.out->data();
    WriteInfoHeader(base, static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), 24,
                    static_cast<std::uint32_t>(stride * height), 0);

    while (cinfo->output_scanline < cinfo->output_height) {
        const std::uint64_t y = cinfo->output_scanline;
        std::uint8_t* row = base + kInfoHeaderSize + (height - 1 - y) * stride; // bottom-up
        JSAMPROW target = route == Route::Direct ? row : job.scratch->data();
        if (jpeg_read_scanlines(cinfo, &target, 1) != 1) {
            jpeg_destroy_decompress(cinfo);
            return false;
        }
        if (route == Route::Direct)
            continue;
        const std::uint8_t* src = job.scratch->data();
        for (std::uint64_t x = 0; x < width; ++x) {
            if (route == Route::Cmyk)
                CmykToBgr(src + 4 * x, row + 3 * x, inverted);
            else
                RawToBgr(src + components * x, components, row + 3 * x, inverted);
        }
    }
    // Not jpeg_finish_decompress: junk after the last scan must not cost a
    // picture that is already complete.
    jpeg_destroy_decompress(cinfo);
    return true;
}

// --- colour reduction -----------------------------------------------------

constexpr int kRedLevels = 6;
constexpr int kGreenLevels = 7;
constexpr int kBlueLevels = 6;
constexpr std::array<int, 4> kExtraGreys = {51, 102, 153, 204};

int Level(int index, int levels) {
    return (index * 255 + (levels - 1) / 2) / (levels - 1);
}

struct Lookup {
    std::array<std::uint8_t, 256> red{}, green{}, blue{}; // nearest level index
};

std::array<std::uint8_t, 256> NearestLevels(int levels) {
    std::array<std::uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v) {
        int best = 0;
        for (int i = 1; i < levels; ++i)
            if (std::abs(Level(i, levels) - v) < std::abs(Level(best, levels) - v))
                best = i;
        table[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(best);
    }
    return table;
}

const Lookup& Tables() {
    static const Lookup lookup{NearestLevels(kRedLevels), NearestLevels(kGreenLevels), NearestLevels(kBlueLevels)};
    return lookup;
}

int Distance(int r, int g, int b, int r2, int g2, int b2) {
    return (r - r2) * (r - r2) + (g - g2) * (g - g2) + (b - b2) * (b - b2);
}

std::uint8_t NearestIndex(int r, int g, int b) {
    const Lookup& t = Tables();
    const int ri = t.red[static_cast<std::size_t>(r)];
    const int gi = t.green[static_cast<std::size_t>(g)];
    const int bi = t.blue[static_cast<std::size_t>(b)];
    int best = ri * kGreenLevels * kBlueLevels + gi * kBlueLevels + bi;
    int bestDistance =
        Distance(r, g, b, Level(ri, kRedLevels), Level(gi, kGreenLevels), Level(bi, kBlueLevels));
    for (std::size_t i = 0; i < kExtraGreys.size(); ++i) {
        const int v = kExtraGreys[i];
        const int d = Distance(r, g, b, v, v, v);
        if (d < bestDistance) {
            bestDistance = d;
            best = kRedLevels * kGreenLevels * kBlueLevels + static_cast<int>(i);
        }
    }
    return static_cast<std::uint8_t>(best);
}

} // namespace

std::optional<std::vector<std::uint8_t>> DecodeJpegToDib(std::span<const std::uint8_t> bytes,
                                                         const JpegLimits& limits) {
    // An empty buffer makes libjpeg's memory source fail; a size beyond
    // unsigned long cannot be handed over.
    if (bytes.empty() || bytes.size() > 0xFFFFFFFFull)
        return std::nullopt;
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> scratch;
    DecodeJob job{};
    job.limits = &limits;
    job.input = bytes;
    job.out = &out;
    job.scratch = &scratch;
    if (!RunDecode(job))
        return std::nullopt;
    return out;
}

std::vector<std::uint8_t> ReduceTo256Colors(const std::vector<std::uint8_t>& dib) {
    if (dib.size() < kInfoHeaderSize)
        return dib;
    const std::uint8_t* p = dib.data();
    const std::uint64_t headerSize = GetU32(p);
    const auto width = static_cast<std::int32_t>(GetU32(p + 4));
    const auto height = static_cast<std::int32_t>(GetU32(p + 8));
    const int bitCount = GetU16(p + 14);
    const std::uint32_t compression = GetU32(p + 16);
    const std::uint64_t colorsUsed = GetU32(p + 32);
    if (headerSize < kInfoHeaderSize || headerSize > dib.size() || bitCount != 24 || compression != 0 ||
        width <= 0 || height == 0 || height == INT32_MIN)
        return dib;
    const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -static_cast<std::int64_t>(height) : height);
    const std::uint64_t srcStride = Stride(static_cast<std::uint64_t>(width), 24);
    const std::uint64_t bitsOffset = headerSize + 4 * colorsUsed;
    if (bitsOffset > dib.size() || srcStride * rows > dib.size() - bitsOffset)
        return dib;

    const std::uint64_t dstStride = Stride(static_cast<std::uint64_t>(width), 8);
    constexpr std::size_t kTableSize = 256 * 4;
    std::vector<std::uint8_t> out(kInfoHeaderSize + kTableSize + dstStride * rows, 0);
    WriteInfoHeader(out.data(), width, height, 8, static_cast<std::uint32_t>(dstStride * rows), 256);
    std::uint8_t* table = out.data() + kInfoHeaderSize;
    for (int ri = 0; ri < kRedLevels; ++ri)
        for (int gi = 0; gi < kGreenLevels; ++gi)
            for (int bi = 0; bi < kBlueLevels; ++bi) {
                std::uint8_t* e = table + 4 * (ri * kGreenLevels * kBlueLevels + gi * kBlueLevels + bi);
                e[0] = static_cast<std::uint8_t>(Level(bi, kBlueLevels));
                e[1] = static_cast<std::uint8_t>(Level(gi, kGreenLevels));
                e[2] = static_cast<std::uint8_t>(Level(ri, kRedLevels));
            }
    for (std::size_t i = 0; i < kExtraGreys.size(); ++i) {
        std::uint8_t* e = table + 4 * (kRedLevels * kGreenLevels * kBlueLevels + i);
        e[0] = e[1] = e[2] = static_cast<std::uint8_t>(kExtraGreys[i]);
    }

    // Row order stays as it was (the sign of the height is kept).
    for (std::uint64_t y = 0; y < rows; ++y) {
        const std::uint8_t* src = p + bitsOffset + y * srcStride;
        std::uint8_t* dst = out.data() + kInfoHeaderSize + kTableSize + y * dstStride;
        for (std::int32_t x = 0; x < width; ++x, src += 3)
            dst[x] = NearestIndex(src[2], src[1], src[0]);
    }
    return out;
}

} // namespace qx
