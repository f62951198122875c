// The TIFF/DNG loader behind stb_image: the first image of the file, read by libtiff from memory
// with its messages silenced. Strips or tiles of 8- or 16-bit unsigned samples, chunky or
// planar, with 1 to 4 samples per pixel; palette images are expanded to RGB. 16-bit samples keep
// their tones, and white-is-zero images are turned into black-is-zero ones.
#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "image/raster.h"

namespace lintrel {

namespace {

struct MemoryFile {
    std::span<const uint8_t> bytes;
    uint64_t offset = 0;
};

MemoryFile& fileOf(thandle_t handle) {
    return *static_cast<MemoryFile*>(handle);
}

tmsize_t readBytes(thandle_t handle, void* buffer, tmsize_t size) {
    MemoryFile& f = fileOf(handle);
    if (size <= 0 || f.offset >= f.bytes.size()) return 0;
    const size_t n = std::min<uint64_t>(static_cast<uint64_t>(size), f.bytes.size() - f.offset);
    std::memcpy(buffer, f.bytes.data() + f.offset, n);
    f.offset += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t writeNothing(thandle_t, void*, tmsize_t) {
    return 0;
}

toff_t seekTo(thandle_t handle, toff_t offset, int whence) {
    MemoryFile& f = fileOf(handle);
    const uint64_t base = whence == SEEK_CUR ? f.offset : whence == SEEK_END ? f.bytes.size() : 0;
    f.offset = base + offset;
    return f.offset;
}

int closeNothing(thandle_t) {
    return 0;
}

toff_t sizeOf(thandle_t handle) {
    return fileOf(handle).bytes.size();
}

int mapNothing(thandle_t, void**, toff_t*) {
    return 0;
}

void unmapNothing(thandle_t, void*, toff_t) {}

// The library writes no messages; a handler that answers 1 keeps libtiff's own quiet too.
int quiet(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

TiffHandle openInMemory(MemoryFile& file) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) return nullptr;
    TIFFOpenOptionsSetErrorHandlerExtR(options, quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, quiet, nullptr);
    TIFF* tif = TIFFClientOpenExt("image", "rm", &file, readBytes, writeNothing, seekTo,
                                  closeNothing, sizeOf, mapNothing, unmapNothing, options);
    TIFFOpenOptionsFree(options);
    return TiffHandle(tif);
}

struct Layout {
    uint32_t width = 0, height = 0;
    uint16_t samples = 1, bits = 1, planar = PLANARCONFIG_CONTIG;
    uint16_t photometric = PHOTOMETRIC_MINISBLACK, sampleFormat = SAMPLEFORMAT_UINT;
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;  // palette, owned by libtiff
    uint32_t tileWidth = 0, tileHeight = 0;                      // 0 for strips

    bool palette() const { return photometric == PHOTOMETRIC_PALETTE; }
    bool tiled() const { return tileWidth > 0; }
    int channels() const { return palette() ? 3 : samples; }
    int planes() const { return planar == PLANARCONFIG_CONTIG ? 1 : samples; }
    // Samples per pixel in one read block: all of them chunky, one plane's planar.
    size_t samplesPerBlockPixel() const { return planar == PLANARCONFIG_CONTIG ? samples : 1; }
    // Bytes one scanline or one tile must hold.
    size_t blockBytes() const {
        const size_t pixels = tiled() ? size_t{tileWidth} * tileHeight : width;
        return pixels * samplesPerBlockPixel() * (bits / 8);
    }
};

// Tiles or strips; a tiled file must name a tile size.
bool readTiling(TIFF* tif, Layout& l) {
    if (!TIFFIsTiled(tif)) return true;
    return TIFFGetField(tif, TIFFTAG_TILEWIDTH, &l.tileWidth) &&
           TIFFGetField(tif, TIFFTAG_TILELENGTH, &l.tileHeight) &&
           withinPixelLimit(l.tileWidth, l.tileHeight);
}

bool readLayout(TIFF* tif, Layout& l, ImportDiagnostics& diagnostics) {
    if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &l.width) ||
        !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &l.height))
        return false;
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &l.samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &l.bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &l.planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &l.sampleFormat);
    TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &l.photometric);
    if (!withinPixelLimit(l.width, l.height)) {
        diagnostics.note(diag::kImageTooLarge, "the image claims more than 2^28 pixels");
        return false;
    }
    if (!readTiling(tif, l) || (l.bits != 8 && l.bits != 16) ||
        l.sampleFormat != SAMPLEFORMAT_UINT || l.samples < 1 || l.samples > 4) {
        diagnostics.note(diag::kImageLayoutUnread,
                         "a TIFF whose tiles or samples are not read (samples: 1 to 4 "
                         "unsigned integers of 8 or 16 bits per pixel)");
        return false;
    }
    if (l.palette() &&
        (l.samples != 1 || !TIFFGetField(tif, TIFFTAG_COLORMAP, &l.red, &l.green, &l.blue)))
        return false;
    uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    if (compression == COMPRESSION_JPEG && l.photometric == PHOTOMETRIC_YCBCR)
        TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
    // A block must hold the samples it is read for (subsampled colour does not).
    const tmsize_t block = l.tiled() ? TIFFTileSize(tif) : TIFFScanlineSize(tif);
    return block > 0 && static_cast<size_t>(block) >= l.blockBytes();
}

// Turns row samples into bytes. Tones keep their order; only a white-is-zero image, whose first
// sample counts up towards white, is inverted so that 0 is black as everywhere else.
class SampleReader {
  public:
    explicit SampleReader(const Layout& l)
        : l_(l), invert_(l.photometric == PHOTOMETRIC_MINISWHITE) {}

    uint32_t raw(const uint8_t* row, size_t index) const {
        if (l_.bits == 8) return row[index];
        uint16_t v;
        std::memcpy(&v, row + 2 * index, 2);
        return v;
    }
    uint8_t byte(const uint8_t* row, size_t index, int sample) const {
        const uint32_t v = raw(row, index);
        const uint8_t b =
            l_.bits == 8 ? static_cast<uint8_t>(v) : static_cast<uint8_t>(v * 255 / 65535);
        return invert_ && sample == 0 ? static_cast<uint8_t>(255 - b) : b;
    }
    void paletteColour(const uint8_t* row, size_t index, uint8_t* out) const {
        const uint32_t i = raw(row, index);
        if (i >= (uint32_t{1} << l_.bits)) return;
        out[0] = static_cast<uint8_t>(l_.red[i] >> 8);
        out[1] = static_cast<uint8_t>(l_.green[i] >> 8);
        out[2] = static_cast<uint8_t>(l_.blue[i] >> 8);
    }

  private:
    const Layout& l_;
    bool invert_;
};

// Writes the pixels of the decoded image from blocks as libtiff reads them, a scanline or a tile
// at a time, one plane after another when the samples are planar.
class PixelStore {
  public:
    PixelStore(const Layout& l, uint8_t* out)
        : l_(l), reader_(l), out_(out), channels_(static_cast<size_t>(l.channels())) {}

    // The pixel (x, y), whose samples begin at sample `at` of `block`.
    void store(const uint8_t* block, size_t at, uint32_t x, uint32_t y, int plane) const {
        uint8_t* pixel = out_ + (size_t{y} * l_.width + x) * channels_;
        if (l_.palette()) {
            reader_.paletteColour(block, at, pixel);
        } else if (l_.planes() == 1) {
            for (int s = 0; s < l_.samples; ++s)
                pixel[s] = reader_.byte(block, at + static_cast<size_t>(s), s);
        } else {
            pixel[plane] = reader_.byte(block, at, plane);
        }
    }

  private:
    const Layout& l_;
    SampleReader reader_;
    uint8_t* out_;
    size_t channels_;
};

bool readStrips(TIFF* tif, const Layout& l, const PixelStore& store) {
    std::vector<uint8_t> row(static_cast<size_t>(TIFFScanlineSize(tif)));
    for (int plane = 0; plane < l.planes(); ++plane)
        for (uint32_t y = 0; y < l.height; ++y) {
            if (TIFFReadScanline(tif, row.data(), y, static_cast<uint16_t>(plane)) < 0)
                return false;
            for (uint32_t x = 0; x < l.width; ++x)
                store.store(row.data(), x * l.samplesPerBlockPixel(), x, y, plane);
        }
    return true;
}

bool readTiles(TIFF* tif, const Layout& l, const PixelStore& store) {
    std::vector<uint8_t> tile(static_cast<size_t>(TIFFTileSize(tif)));
    for (int plane = 0; plane < l.planes(); ++plane)
        for (uint64_t ty = 0; ty < l.height; ty += l.tileHeight)
            for (uint64_t tx = 0; tx < l.width; tx += l.tileWidth) {
                const auto x0 = static_cast<uint32_t>(tx), y0 = static_cast<uint32_t>(ty);
                if (TIFFReadTile(tif, tile.data(), x0, y0, 0, static_cast<uint16_t>(plane)) < 0)
                    return false;
                const uint32_t rows = std::min(l.tileHeight, l.height - y0);
                const uint32_t columns = std::min(l.tileWidth, l.width - x0);
                for (uint32_t r = 0; r < rows; ++r)
                    for (uint32_t c = 0; c < columns; ++c)
                        store.store(tile.data(),
                                    (size_t{r} * l.tileWidth + c) * l.samplesPerBlockPixel(),
                                    x0 + c, y0 + r, plane);
            }
    return true;
}

}  // namespace

std::optional<DecodedImage> decodeTiff(std::span<const uint8_t> bytes,
                                       ImportDiagnostics& diagnostics) {
    MemoryFile file{bytes};
    TiffHandle tif = openInMemory(file);
    Layout layout;
    if (!tif || !readLayout(tif.get(), layout, diagnostics)) return std::nullopt;
    DecodedImage image;
    image.width = static_cast<int>(layout.width);
    image.height = static_cast<int>(layout.height);
    image.channels = layout.channels();
    const size_t size = size_t{layout.width} * layout.height * static_cast<size_t>(image.channels);
    image.pixels.reset(static_cast<uint8_t*>(std::calloc(size, 1)));
    if (!image.pixels) return std::nullopt;
    const PixelStore store(layout, image.pixels.get());
    const bool read =
        layout.tiled() ? readTiles(tif.get(), layout, store) : readStrips(tif.get(), layout, store);
    if (!read) return std::nullopt;
    return image;
}

}  // namespace lintrel
