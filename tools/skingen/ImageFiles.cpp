#include "ImageFiles.h"

#include <cstdlib>
#include <string>

#include "Deflate.h"

namespace {

void PutBigEndian32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body)
{
    PutBigEndian32(out, static_cast<uint32_t>(body.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutBigEndian32(out, Crc32(&out[start], out.size() - start));
}

uint8_t Paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
    return static_cast<uint8_t>(pb <= pc ? b : c);
}

// Each row gets the filter whose output has the smallest sum of magnitudes, the
// usual heuristic; it makes flat areas and gradients compress to almost nothing.
std::vector<uint8_t> FilterRows(int width, int height, const std::vector<uint8_t>& rgba)
{
    const size_t stride = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> out;
    out.reserve((stride + 1) * height);
    std::vector<uint8_t> zero(stride, 0), candidate(stride), best(stride);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &rgba[y * stride];
        const uint8_t* up = y > 0 ? &rgba[(y - 1) * stride] : zero.data();
        long bestScore = -1;
        int bestFilter = 0;
        for (int filter = 0; filter < 5; ++filter) {
            long score = 0;
            for (size_t i = 0; i < stride; ++i) {
                const int a = i >= 4 ? row[i - 4] : 0;
                const int b = up[i];
                const int c = i >= 4 ? up[i - 4] : 0;
                int predicted = 0;
                switch (filter) {
                case 1: predicted = a; break;
                case 2: predicted = b; break;
                case 3: predicted = (a + b) / 2; break;
                case 4: predicted = Paeth(a, b, c); break;
                default: break;
                }
                candidate[i] = static_cast<uint8_t>(row[i] - predicted);
                score += candidate[i] < 128 ? candidate[i] : 256 - candidate[i];
            }
            if (bestScore < 0 || score < bestScore) {
                bestScore = score;
                bestFilter = filter;
                best = candidate;
            }
        }
        out.push_back(static_cast<uint8_t>(bestFilter));
        out.insert(out.end(), best.begin(), best.end());
    }
    return out;
}

std::vector<uint8_t> DibPixels32(const Canvas& canvas)
{
    const std::vector<uint8_t> rgba = canvas.ToRgba8();
    std::vector<uint8_t> out;
    for (int y = canvas.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const uint8_t* p = &rgba[(static_cast<size_t>(y) * canvas.Width() + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    // The AND mask: set where the picture is fully transparent, rows padded to 32 bits.
    const int maskStride = ((canvas.Width() + 31) / 32) * 4;
    for (int y = canvas.Height() - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < canvas.Width(); ++x) {
            if (rgba[(static_cast<size_t>(y) * canvas.Width() + x) * 4 + 3] == 0) row[x / 8] |= 0x80 >> (x % 8);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> DibHeader(int width, int height, int bitCount, uint32_t imageSize)
{
    std::vector<uint8_t> h;
    PutLittleEndian(h, 40, 4);
    PutLittleEndian(h, static_cast<uint32_t>(width), 4);
    PutLittleEndian(h, static_cast<uint32_t>(height), 4);
    PutLittleEndian(h, 1, 2);
    PutLittleEndian(h, static_cast<uint32_t>(bitCount), 2);
    PutLittleEndian(h, 0, 4);  // uncompressed
    PutLittleEndian(h, imageSize, 4);
    PutLittleEndian(h, 2835, 4);  // 72 DPI, as most tools write
    PutLittleEndian(h, 2835, 4);
    PutLittleEndian(h, 0, 4);
    PutLittleEndian(h, 0, 4);
    return h;
}

}  // namespace

std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgba)
{
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian32(header, static_cast<uint32_t>(width));
    PutBigEndian32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive, no interlace
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", ZlibCompress(FilterRows(width, height, rgba)));
    PutChunk(out, "IEND", {});
    return out;
}

std::vector<uint8_t> EncodePng(const Canvas& canvas)
{
    return EncodePng(canvas.Width(), canvas.Height(), canvas.ToRgba8());
}

std::vector<uint8_t> EncodeBmp(const Canvas& canvas)
{
    const std::vector<uint8_t> rgba = canvas.ToRgba8();
    const uint32_t stride = (static_cast<uint32_t>(canvas.Width()) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * canvas.Height();
    std::vector<uint8_t> out = {'B', 'M'};
    PutLittleEndian(out, 14 + 40 + imageSize, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 14 + 40, 4);
    const std::vector<uint8_t> header = DibHeader(canvas.Width(), canvas.Height(), 24, imageSize);
    out.insert(out.end(), header.begin(), header.end());
    for (int y = canvas.Height() - 1; y >= 0; --y) {
        const size_t rowStart = out.size();
        for (int x = 0; x < canvas.Width(); ++x) {
            const uint8_t* p = &rgba[(static_cast<size_t>(y) * canvas.Width() + x) * 4];
            uint8_t blue = p[2];
            // Loading with LR_LOADMAP3DCOLORS swaps these three greys for the system's
            // 3-D colours; one step of blue keeps the picture as drawn.
            if (p[0] == p[1] && p[1] == p[2] && (blue == 0x80 || blue == 0xC0 || blue == 0xDF)) ++blue;
            out.insert(out.end(), {blue, p[1], p[0]});
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

std::vector<uint8_t> EncodeIco(const std::vector<const Canvas*>& pictures)
{
    std::vector<std::vector<uint8_t>> images;
    for (const Canvas* picture : pictures) {
        if (picture->Width() >= 256) {
            images.push_back(EncodePng(*picture));
            continue;
        }
        const std::vector<uint8_t> pixels = DibPixels32(*picture);
        std::vector<uint8_t> image = DibHeader(picture->Width(), picture->Height() * 2, 32,
                                               static_cast<uint32_t>(pixels.size()));
        image.insert(image.end(), pixels.begin(), pixels.end());
        images.push_back(image);
    }

    std::vector<uint8_t> out;
    PutLittleEndian(out, 0, 2);
    PutLittleEndian(out, 1, 2);  // icon
    PutLittleEndian(out, static_cast<uint32_t>(pictures.size()), 2);
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(pictures.size());
    for (size_t i = 0; i < pictures.size(); ++i) {
        const int size = pictures[i]->Width();
        out.push_back(static_cast<uint8_t>(size >= 256 ? 0 : size));
        out.push_back(static_cast<uint8_t>(size >= 256 ? 0 : size));
        out.push_back(0);  // no palette
        out.push_back(0);
        PutLittleEndian(out, 1, 2);   // planes
        PutLittleEndian(out, 32, 2);  // bits per pixel
        PutLittleEndian(out, static_cast<uint32_t>(images[i].size()), 4);
        PutLittleEndian(out, offset, 4);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
    return out;
}
