#include "Deflate.h"

#include <algorithm>
#include <array>

namespace {

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}

    // Bits go out least significant first.
    void Put(uint32_t bits, int count)
    {
        for (int i = 0; i < count; ++i) {
            if ((bits >> i) & 1u) current_ |= static_cast<uint8_t>(1u << used_);
            if (++used_ == 8) Flush();
        }
    }

    // Huffman codes go out most significant bit first.
    void PutCode(uint32_t code, int length)
    {
        for (int i = length - 1; i >= 0; --i) Put((code >> i) & 1u, 1);
    }

    void Finish()
    {
        if (used_ > 0) Flush();
    }

private:
    void Flush()
    {
        out_.push_back(current_);
        current_ = 0;
        used_ = 0;
    }

    std::vector<uint8_t>& out_;
    uint8_t current_ = 0;
    int used_ = 0;
};

// The fixed literal/length code.
void PutLiteralOrLength(BitWriter& w, int symbol)
{
    if (symbol < 144) w.PutCode(0x30 + symbol, 8);
    else if (symbol < 256) w.PutCode(0x190 + (symbol - 144), 9);
    else if (symbol < 280) w.PutCode(symbol - 256, 7);
    else w.PutCode(0xC0 + (symbol - 280), 8);
}

constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                               33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                               1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void PutMatch(BitWriter& w, int length, int distance)
{
    int li = 28;
    while (kLengthBase[li] > length) --li;
    PutLiteralOrLength(w, 257 + li);
    w.Put(static_cast<uint32_t>(length - kLengthBase[li]), kLengthExtra[li]);
    int di = 29;
    while (kDistanceBase[di] > distance) --di;
    w.PutCode(static_cast<uint32_t>(di), 5);
    w.Put(static_cast<uint32_t>(distance - kDistanceBase[di]), kDistanceExtra[di]);
}

constexpr int kWindow = 32768;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr int kHashBits = 15;
constexpr int kMaxChain = 48;

uint32_t Hash(const uint8_t* p)
{
    return ((p[0] << 10) ^ (p[1] << 5) ^ p[2]) & ((1u << kHashBits) - 1);
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Adler32(const std::vector<uint8_t>& data)
{
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> out = {0x78, 0x01};  // deflate, 32 KiB window, fastest-level flag
    BitWriter w(out);
    w.Put(1, 1);  // final block
    w.Put(1, 2);  // fixed Huffman codes

    const int n = static_cast<int>(data.size());
    std::vector<int> head(1u << kHashBits, -1);
    std::vector<int> previous(n, -1);
    auto insert = [&](int pos) {
        if (pos + kMinMatch > n) return;
        const uint32_t h = Hash(&data[pos]);
        previous[pos] = head[h];
        head[h] = pos;
    };

    int pos = 0;
    while (pos < n) {
        int bestLength = 0, bestDistance = 0;
        if (pos + kMinMatch <= n) {
            const int limit = std::min(kMaxMatch, n - pos);
            int candidate = head[Hash(&data[pos])];
            for (int chain = 0; candidate >= 0 && pos - candidate <= kWindow && chain < kMaxChain; ++chain) {
                int length = 0;
                while (length < limit && data[candidate + length] == data[pos + length]) ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = pos - candidate;
                    if (length == limit) break;
                }
                candidate = previous[candidate];
            }
        }
        if (bestLength >= kMinMatch) {
            PutMatch(w, bestLength, bestDistance);
            for (int i = 0; i < bestLength; ++i) insert(pos + i);
            pos += bestLength;
        } else {
            PutLiteralOrLength(w, data[pos]);
            insert(pos);
            ++pos;
        }
    }
    PutLiteralOrLength(w, 256);
    w.Finish();

    const uint32_t adler = Adler32(data);
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(adler >> shift));
    return out;
}
